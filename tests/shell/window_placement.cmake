# Every window of the game on a 640 x 480 screen whose windows have frames.
klondike_qttest(window_placement_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_placement_test.cpp LIBS shell_window)
target_compile_definitions(window_placement_test PRIVATE KLONDIKE_PLAY_DIR="${PLAY_DIR}")
add_dependencies(window_placement_test cardset_decks)
set(small_screen "offscreen:configfile=${CMAKE_CURRENT_LIST_DIR}/small_screen.json")
set_tests_properties(window_placement_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=${small_screen};XDG_RUNTIME_DIR=${KLONDIKE_TEST_RUNTIME_DIR};SDL_AUDIODRIVER=dummy")
