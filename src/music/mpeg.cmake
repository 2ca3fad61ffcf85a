# The player component, which loads the MP3 decoder library (mpegdll.cmake) at run time.
add_library(mpeg_player STATIC mpeg_player.cpp mpeg_library.cpp)
set_target_properties(mpeg_player PROPERTIES AUTOMOC ON)
target_include_directories(mpeg_player PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(mpeg_player PUBLIC Qt6::Core)
# The game loads the library at run time; building the component builds the library too.
add_dependencies(mpeg_player mpegdll)

file(RELATIVE_PATH klondike_library_from_program
  /${CMAKE_INSTALL_BINDIR} /${KLONDIKE_LIBRARY_INSTALL_DIR})
target_compile_definitions(mpeg_player PRIVATE
  KLONDIKE_LIBRARY_FROM_PROGRAM="${klondike_library_from_program}")
