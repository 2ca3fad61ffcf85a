klondike_gtest(music_core_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/playlist_test.cpp ${CMAKE_CURRENT_LIST_DIR}/music_control_test.cpp
  LIBS music_core)
