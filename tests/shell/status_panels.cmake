klondike_qttest(status_panels_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/status_panels_test.cpp LIBS shell_window)
