klondike_qttest(results_highscore_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/highscore_window_test.cpp
  LIBS results_highscore_window)
target_include_directories(results_highscore_window_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform)
