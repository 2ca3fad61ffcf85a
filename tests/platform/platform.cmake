klondike_gtest(platform_jpeg_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/jpeg_decoder_test.cpp
  LIBS platform game_pictures)

klondike_qttest(platform_services_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform_services_test.cpp
  LIBS platform)

# The sound tests play the cues that the build synthesizes into the play folder.
# The tests look into the mixer that the audio library opened (the same SDL2_mixer in the process).
foreach(test game_sounds sound_cues sound_output no_audio)
  klondike_gtest(platform_${test}_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/${test}_test.cpp
    LIBS platform_audio PkgConfig::SDL2_MIXER)
  target_compile_definitions(platform_${test}_test PRIVATE KLONDIKE_PLAY_DIR="${PLAY_DIR}")
  add_dependencies(platform_${test}_test game_sounds)
endforeach()

# The idle closing of the audio device needs an event loop.
add_executable(platform_audio_idle_test ${CMAKE_CURRENT_LIST_DIR}/audio_idle_test.cpp)
set_target_properties(platform_audio_idle_test PROPERTIES AUTOMOC ON)
target_link_libraries(platform_audio_idle_test PRIVATE platform_audio PkgConfig::SDL2_MIXER Qt6::Test)
target_compile_definitions(platform_audio_idle_test PRIVATE KLONDIKE_PLAY_DIR="${PLAY_DIR}")
add_dependencies(platform_audio_idle_test game_sounds)
add_test(NAME platform_audio_idle_test COMMAND platform_audio_idle_test)
set_tests_properties(platform_audio_idle_test PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy")

klondike_gtest(platform_audio_library_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/audio_library_test.cpp
  LIBS platform_audio platform_own_library)
add_dependencies(platform_audio_library_test mpegdll)
