klondike_qttest(music_editor_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/playlist_editor_test.cpp
  LIBS music_editor)
