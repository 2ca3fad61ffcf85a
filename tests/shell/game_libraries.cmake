# The game maps no audio stack at start: SDL2, SDL2_mixer and the synthesizers come with the
# game's audio library on the first sound, and the decoder library (loaded at start) loads SDL2 on
# its first audio output.
add_test(NAME game_links_no_audio COMMAND ldd $<TARGET_FILE:klondike> $<TARGET_FILE:mpegdll>)
set_tests_properties(game_links_no_audio PROPERTIES FAIL_REGULAR_EXPRESSION "SDL|fluidsynth")
