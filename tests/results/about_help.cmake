klondike_qttest(about_help_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/about_help_test.cpp
  LIBS results_about_help)
target_compile_definitions(about_help_test PRIVATE
  KLONDIKE_HELP_FILE="${CMAKE_SOURCE_DIR}/assets/help/mirt.hlp")
