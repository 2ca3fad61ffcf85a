klondike_qttest(menu_help_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/menu_help_test.cpp LIBS shell_window)
target_compile_definitions(menu_help_test PRIVATE
  KLONDIKE_HELP_FILE="${CMAKE_SOURCE_DIR}/assets/help/mirt.hlp")
