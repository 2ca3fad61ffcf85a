klondike_gtest(shell_play_folder_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/play_folder_test.cpp
  LIBS shell_play_folder)
