klondike_gtest(music_core_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/playlist_test.cpp ${CMAKE_CURRENT_LIST_DIR}/music_control_test.cpp
  LIBS music_core)
target_include_directories(music_core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform)
