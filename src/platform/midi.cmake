# The MIDI sequencer over the audio library's music stream (FluidSynth); notices are delivered through Qt's event loop.
add_library(platform_midi STATIC
  ${CMAKE_CURRENT_LIST_DIR}/midi_sequencer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi_file_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi_song_length.cpp)
set_target_properties(platform_midi PROPERTIES AUTOMOC ON)
target_include_directories(platform_midi PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_midi PUBLIC Qt6::Core PRIVATE platform_audio platform_files)
