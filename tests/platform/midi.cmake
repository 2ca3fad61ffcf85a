klondike_gtest(midi_file_check_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/midi_file_check_test.cpp
  LIBS platform_midi midi_compose)

klondike_qttest(midi_sequencer_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/midi_sequencer_test.cpp
  LIBS platform_midi platform_audio midi_compose)
# The same program without any usable audio driver: opening must fail at once, never hang.
add_test(NAME midi_sequencer_without_audio COMMAND midi_sequencer_tests openFailsWithoutAudioDevice)
set_tests_properties(midi_sequencer_without_audio PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${KLONDIKE_TEST_RUNTIME_DIR};SDL_AUDIODRIVER=no_such_driver"
  TIMEOUT 60)
set_tests_properties(midi_sequencer_tests PROPERTIES TIMEOUT 120)

klondike_gtest(midi_song_length_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/midi_song_length_test.cpp
  LIBS platform_midi midi_compose)
