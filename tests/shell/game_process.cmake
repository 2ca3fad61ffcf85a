# The game as a separate process: how it answers the signals that end a program.
klondike_gtest(game_signal_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/game_signal_test.cpp
  LIBS shell_prefs mp3_test_fixture)
target_compile_definitions(game_signal_test PRIVATE KLONDIKE_GAME="$<TARGET_FILE:klondike>"
  KLONDIKE_PLAY_DIR="${PLAY_DIR}")
add_dependencies(game_signal_test klondike mpegdll game_music)
set_tests_properties(game_signal_test PROPERTIES TIMEOUT 120)
