# The cardset tool from the outside: making, inspecting and refusing bad input.
add_test(NAME cardset_tool_test
  COMMAND ${CMAKE_COMMAND} -DCARDSET=$<TARGET_FILE:cardset> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cardset-tool-test
          -P ${CMAKE_CURRENT_LIST_DIR}/scripts/cardset_tool_check.cmake)
set_tests_properties(cardset_tool_test PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${KLONDIKE_TEST_RUNTIME_DIR}")
