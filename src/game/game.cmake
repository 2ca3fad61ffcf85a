# The toolkit-free rule engine: the games' rules and states, deals, pointer logic, undo, scoring and
# clock.
add_library(game STATIC
  ${CMAKE_CURRENT_LIST_DIR}/auto_finish.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/deck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/games.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_focus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_press.cpp
  ${CMAKE_CURRENT_LIST_DIR}/klondike_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/move_history.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pointer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quatro_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resume.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saved_game.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scoring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statistics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/undo.cpp)
target_include_directories(game PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_features(game PUBLIC cxx_std_20)
