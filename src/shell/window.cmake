# The game session without widgets: the engine, the clock, the statistics, the searches and the
# game kept in progress.
add_library(shell_session STATIC
  ${CMAKE_CURRENT_LIST_DIR}/game_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hint_search.cpp
  ${CMAKE_CURRENT_LIST_DIR}/solver_worker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winnable_deals.cpp)
target_include_directories(shell_session PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(shell_session PUBLIC game solver results_statistics shell_prefs Qt6::Core)

# The table window MainWindow with its menus, start-up and table widget, and the game executable.
add_library(shell_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_identity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_widget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_glide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/secondary_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/music_devices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demo_player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.h
  ${CMAKE_CURRENT_LIST_DIR}/table_widget.h)
set_target_properties(shell_window PROPERTIES AUTOMOC ON)
# The app id of the install rules (cmake/Install.cmake), which name the launcher after it.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/app_identity.cpp PROPERTIES
  COMPILE_DEFINITIONS KLONDIKE_APP_ID="${KLONDIKE_APP_ID}")
target_include_directories(shell_window PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(shell_window PUBLIC shell_session table_painter cards_qt cards_chooser shell_prefs
  results_core results_statistics results_statistics_window results_highscore_window results_endgame
  results_about_help music_core music_editor
  mpeg_player platform_midi platform platform_audio platform_files Qt6::Widgets)

# One game per play folder: a lock file and a local socket to bring the running game to the front.
add_library(shell_single_instance STATIC
  ${CMAKE_CURRENT_LIST_DIR}/single_instance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_instance.h)
set_target_properties(shell_single_instance PROPERTIES AUTOMOC ON)
target_include_directories(shell_single_instance PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(shell_single_instance PUBLIC Qt6::Widgets Qt6::Network)

add_executable(klondike ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(klondike PRIVATE shell_window shell_play_folder shell_single_instance)
