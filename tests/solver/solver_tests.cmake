# Tests of the Klondike solver: its lines replayed through the rule engine, and hand-built
# positions.
klondike_gtest(solver_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/reference_search.cpp
    ${CMAKE_CURRENT_LIST_DIR}/solver_key_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/solver_position_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/solver_pruning_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/solver_replay_tests.cpp
  LIBS solver)
target_compile_definitions(solver_tests PRIVATE
  KLONDIKE_SOLVER_POSITIONS="${CMAKE_CURRENT_LIST_DIR}/positions")
