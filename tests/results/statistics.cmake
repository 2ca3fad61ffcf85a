klondike_gtest(results_statistics_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/statistics_file_test.cpp
  LIBS results_statistics)
target_include_directories(results_statistics_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform)
