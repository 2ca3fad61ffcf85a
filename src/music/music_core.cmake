# The playlist, its file, the editor's list operations and the playback control (no Qt).
add_library(music_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/playlist_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playlist_edits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/music_control.cpp)
target_include_directories(music_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(music_core PUBLIC platform_files)
