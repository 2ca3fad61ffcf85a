# The Klondike solver: a best-first search for wins and a depth-first search that proves losses,
# toolkit-free, and the glue that reads a position from the game's table and names the places of
# a move.
add_library(solver STATIC
  ${CMAKE_CURRENT_LIST_DIR}/deal_runs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/klondike_solver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/position_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/solver_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/suggestion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_position.cpp
  ${CMAKE_CURRENT_LIST_DIR}/visited_set.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win_search.cpp)
target_include_directories(solver PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(solver PUBLIC game)
target_compile_features(solver PUBLIC cxx_std_20)
