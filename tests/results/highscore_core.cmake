klondike_gtest(results_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/highscore_list_test.cpp
  LIBS results_core)
