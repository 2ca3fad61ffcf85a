# The MIDI writer and the game's own tunes.
klondike_gtest(midi_maker_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/midi_maker_test.cpp
  LIBS midi_compose platform_midi)
