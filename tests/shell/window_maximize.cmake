# Maximize requests to the table window and every dialog on the offscreen platform, and the app id.
klondike_qttest(window_maximize_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_maximize_test.cpp LIBS shell_window)
target_compile_definitions(window_maximize_test PRIVATE KLONDIKE_PLAY_DIR="${PLAY_DIR}"
  KLONDIKE_LAUNCHER="${KLONDIKE_DESKTOP_DIR}/${KLONDIKE_APP_ID}.desktop")
add_dependencies(window_maximize_test cardset_decks)

# The game and the same maximize requests under a headless weston, where it is installed.
add_test(NAME wayland_game
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/wayland_game_test.sh $<TARGET_FILE:klondike>
          ${KLONDIKE_DESKTOP_DIR}/${KLONDIKE_APP_ID}.desktop
          ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS} $<TARGET_FILE:window_maximize_test>)
set_tests_properties(wayland_game PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
