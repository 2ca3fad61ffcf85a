klondike_qttest(music_editor_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/playlist_editor_test.cpp
  LIBS music_editor)
set_tests_properties(music_editor_tests PROPERTIES TIMEOUT 120)
