# The music control with the real sequencer, through the game's own adapter, under SDL's dummy
# audio driver.
klondike_qttest(music_playback_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/music_playback_test.cpp ${CMAKE_SOURCE_DIR}/src/shell/music_devices.cpp
  LIBS music_core platform_midi platform_audio midi_compose mpeg_player)
set_tests_properties(music_playback_tests PROPERTIES TIMEOUT 120)
