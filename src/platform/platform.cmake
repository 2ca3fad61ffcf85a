# The audio device and the wave sound cues over the audio library (Qt's timer closes an idle
# device); shared with the MIDI sequencer. Building them builds the library too.
add_library(platform_audio STATIC
  ${CMAKE_CURRENT_LIST_DIR}/audio_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/audio_library.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_cues.cpp)
target_include_directories(platform_audio PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_audio PUBLIC Qt6::Core PRIVATE platform_files platform_own_library)
add_dependencies(platform_audio klondike-audio)

# The Qt side of the platform layer: messages, screen metrics, JPEG decoding, links.
add_library(platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_metrics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/maximize_guard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quit_signals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/links.cpp)
target_include_directories(platform PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform PUBLIC Qt6::Widgets PRIVATE JPEG::JPEG)
