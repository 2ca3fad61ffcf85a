klondike_qttest(results_highscore_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/highscore_window_test.cpp
  LIBS results_highscore_window)
