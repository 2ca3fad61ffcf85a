klondike_gtest(shell_prefs_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/preferences_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_preferences_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/game_options_test.cpp
  LIBS shell_prefs)
