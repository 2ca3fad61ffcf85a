# Tests of the rule engine against a recording table view.
klondike_gtest(game_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/deal_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/greedy_play_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/random_play_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pointer_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scoring_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quatro_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/saved_game_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keyboard_focus_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/klondike_move_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/statistics_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/table_geometry_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/undo_tests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_geometry_tests.cpp
  LIBS game)
