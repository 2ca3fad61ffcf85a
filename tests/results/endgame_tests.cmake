klondike_qttest(results_endgame_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/end_game_test.cpp
  LIBS results_endgame)
