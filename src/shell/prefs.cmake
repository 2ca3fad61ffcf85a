# The settings in memory, the preferences record that is their file, the menu state they store,
# the game's own options file, and the file of the game in progress (no Qt).
add_library(shell_prefs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/preferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_preferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saved_game_file.cpp)
target_include_directories(shell_prefs PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(shell_prefs PUBLIC game platform_files)
