klondike_qttest(single_instance_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/single_instance_test.cpp LIBS shell_single_instance)
