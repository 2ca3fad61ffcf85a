# The About box, the help viewer and the game's help file.
add_library(results_about_help STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box.h
  ${CMAKE_CURRENT_LIST_DIR}/help_viewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_viewer.h)
set_target_properties(results_about_help PROPERTIES AUTOMOC ON)
target_include_directories(results_about_help PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_about_help PUBLIC results_clickable_label Qt6::Widgets
  PRIVATE platform platform_files game_pictures)

# The help file lies beside the game in its start folder.
set(KLONDIKE_HELP_SOURCE ${CMAKE_SOURCE_DIR}/assets/help/mirt.hlp)
add_custom_command(OUTPUT ${PLAY_DIR}/mirt.hlp
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${KLONDIKE_HELP_SOURCE} ${PLAY_DIR}/mirt.hlp
  DEPENDS ${KLONDIKE_HELP_SOURCE}
  COMMENT "Copying the help file into the play folder")
add_custom_target(help_file ALL DEPENDS ${PLAY_DIR}/mirt.hlp)
install(FILES ${PLAY_DIR}/mirt.hlp DESTINATION ${KLONDIKE_DATA_INSTALL_DIR})
