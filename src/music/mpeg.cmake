# The MP3 decoder library (loaded at run time by the player component) and the component.
find_package(Threads REQUIRED)
add_library(mpegdll SHARED
  mpegdll/exports.cpp
  mpegdll/mp3_input.cpp
  mpegdll/pcm_output.cpp
  mpegdll/player.cpp
  mpegdll/sdl_audio.cpp
  mpegdll/thread_priority.cpp)
set_target_properties(mpegdll PROPERTIES
  C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  set_target_properties(mpegdll PROPERTIES PREFIX "")  # mpegdll.dll, also with MinGW
elseif(NOT APPLE)
  # Template instances of the standard library would otherwise be exported as well.
  target_link_options(mpegdll PRIVATE
    -Wl,--version-script=${CMAKE_CURRENT_SOURCE_DIR}/mpegdll/exports.map)
  set_target_properties(mpegdll PROPERTIES
    LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/mpegdll/exports.map)
endif()
target_include_directories(mpegdll PUBLIC ${CMAKE_SOURCE_DIR}/src)
# SDL2 is loaded on the first audio output (mpegdll/sdl_audio.cpp): only its headers are used here.
target_include_directories(mpegdll PRIVATE ${SDL2_INCLUDE_DIRS})
target_link_libraries(mpegdll PRIVATE PkgConfig::MPG123 Threads::Threads ${CMAKE_DL_LIBS})

add_library(mpeg_player STATIC mpeg_player.cpp mpeg_library.cpp)
set_target_properties(mpeg_player PROPERTIES AUTOMOC ON)
target_include_directories(mpeg_player PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(mpeg_player PUBLIC Qt6::Core PRIVATE platform_own_library)
# The game loads the library at run time; building the component builds the library too.
add_dependencies(mpeg_player mpegdll)

# An installed game finds the library in its own folder under the library folder.
install(TARGETS mpegdll LIBRARY DESTINATION ${KLONDIKE_LIBRARY_INSTALL_DIR})
