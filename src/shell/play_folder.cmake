# The command line and the play folder (no Qt): which folder the game plays in, filled from the
# installed default files.
add_library(shell_play_folder STATIC
  ${CMAKE_CURRENT_LIST_DIR}/play_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp)
target_include_directories(shell_play_folder PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(shell_play_folder PUBLIC platform_files)
file(RELATIVE_PATH klondike_data_from_program
  /${KLONDIKE_PROGRAM_INSTALL_DIR} /${KLONDIKE_DATA_INSTALL_DIR})
target_compile_definitions(shell_play_folder PRIVATE
  KLONDIKE_FOLDER_NAME="${KLONDIKE_NAME}" KLONDIKE_VERSION="${PROJECT_VERSION}"
  KLONDIKE_DATA_FROM_PROGRAM="${klondike_data_from_program}")
