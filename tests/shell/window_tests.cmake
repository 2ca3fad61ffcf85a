# The table window: start-up, menus, painting, play through the real mouse handlers and the
# keyboard, hints and winnable deals, and the zoomed table.
foreach(name window_startup_test window_play_test window_keyboard_test window_solver_test
    window_zoom_test)
  klondike_qttest(${name} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp LIBS shell_window)
  target_compile_definitions(${name} PRIVATE KLONDIKE_PLAY_DIR="${PLAY_DIR}")
  add_dependencies(${name} cardset_decks)
endforeach()

# The game session without a window.
klondike_qttest(game_session_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/game_session_test.cpp
  LIBS shell_session)
