# The audio device and the wave sound cues (SDL2 + SDL2_mixer; Qt's timer closes an idle device);
# shared with the MIDI sequencer.
add_library(platform_audio STATIC
  ${CMAKE_CURRENT_LIST_DIR}/audio_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_cues.cpp)
target_include_directories(platform_audio PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_audio PUBLIC PkgConfig::SDL2 PkgConfig::SDL2_MIXER
  PRIVATE platform_files Qt6::Core)

# The Qt side of the platform layer: messages, screen metrics, JPEG decoding, links.
add_library(platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_metrics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/links.cpp)
target_include_directories(platform PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform PUBLIC Qt6::Widgets PRIVATE JPEG::JPEG)
