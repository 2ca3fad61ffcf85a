# The audio library (SDL2 + SDL2_mixer behind a small C interface), loaded at run time by the
# audio device on the first sound, so that the game itself never links SDL.
add_library(klondike-audio SHARED ${CMAKE_CURRENT_LIST_DIR}/audio/klondike_audio.cpp)
set_target_properties(klondike-audio PROPERTIES
  C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  set_target_properties(klondike-audio PROPERTIES PREFIX "")  # klondike-audio.dll, also with MinGW
endif()
target_include_directories(klondike-audio PRIVATE ${CMAKE_SOURCE_DIR}/src)
# The C library stays among its needs even though every call goes to SDL (the linker drops
# unused libraries): a shared library is expected to name it.
target_link_libraries(klondike-audio PRIVATE PkgConfig::SDL2 PkgConfig::SDL2_MIXER
  "-Wl,--push-state,--no-as-needed,-lc,--pop-state")
install(TARGETS klondike-audio LIBRARY DESTINATION ${KLONDIKE_LIBRARY_INSTALL_DIR}
  RUNTIME DESTINATION ${KLONDIKE_LIBRARY_INSTALL_DIR})

# Finding the game's own libraries beside the program or in its folder under the library folder.
add_library(platform_own_library STATIC ${CMAKE_CURRENT_LIST_DIR}/own_library.cpp)
target_include_directories(platform_own_library PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_own_library PUBLIC Qt6::Core PRIVATE platform_files)
file(RELATIVE_PATH klondike_library_from_program
  /${KLONDIKE_PROGRAM_INSTALL_DIR} /${KLONDIKE_LIBRARY_INSTALL_DIR})
target_compile_definitions(platform_own_library PRIVATE
  KLONDIKE_LIBRARY_FROM_PROGRAM="${klondike_library_from_program}")
