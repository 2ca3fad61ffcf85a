klondike_gtest(results_statistics_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/statistics_file_test.cpp
  LIBS results_statistics)
