# The MP3 decoder library, loaded at run time by the player component (mpeg.cmake).
find_package(Threads REQUIRED)
add_library(mpegdll SHARED
  ${CMAKE_CURRENT_LIST_DIR}/mpegdll/exports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mpegdll/mp3_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mpegdll/pcm_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mpegdll/player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mpegdll/sdl_audio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mpegdll/thread_priority.cpp)
set_target_properties(mpegdll PROPERTIES
  C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  set_target_properties(mpegdll PROPERTIES PREFIX "")  # mpegdll.dll, also with MinGW
elseif(NOT APPLE)
  # Template instances of the standard library would otherwise be exported as well.
  target_link_options(mpegdll PRIVATE
    -Wl,--version-script=${CMAKE_CURRENT_LIST_DIR}/mpegdll/exports.map)
  set_target_properties(mpegdll PROPERTIES
    LINK_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/mpegdll/exports.map)
endif()
target_include_directories(mpegdll PUBLIC ${CMAKE_SOURCE_DIR}/src)
# SDL2 is loaded on the first audio output (mpegdll/sdl_audio.cpp): only its headers are used here.
target_include_directories(mpegdll PRIVATE ${SDL2_INCLUDE_DIRS})
target_link_libraries(mpegdll PRIVATE PkgConfig::MPG123 Threads::Threads ${CMAKE_DL_LIBS})

# An installed game finds the library in its own folder under the library folder.
install(TARGETS mpegdll LIBRARY DESTINATION ${KLONDIKE_LIBRARY_INSTALL_DIR}
  RUNTIME DESTINATION ${KLONDIKE_LIBRARY_INSTALL_DIR})
