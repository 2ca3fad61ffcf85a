klondike_gtest(platform_files_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_io_test.cpp
  LIBS platform_files)
