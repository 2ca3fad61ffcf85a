# PlaylistEditor, the playlist editor window (Qt).
add_library(music_editor STATIC
  ${CMAKE_CURRENT_LIST_DIR}/playlist_editor.cpp)
set_target_properties(music_editor PROPERTIES AUTOMOC ON)
target_include_directories(music_editor PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(music_editor PUBLIC music_core Qt6::Widgets PRIVATE platform)
