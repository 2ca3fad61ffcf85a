# The player component, which loads the MP3 decoder library (mpegdll.cmake) at run time.
add_library(mpeg_player STATIC mpeg_player.cpp mpeg_library.cpp)
set_target_properties(mpeg_player PROPERTIES AUTOMOC ON)
target_include_directories(mpeg_player PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(mpeg_player PUBLIC Qt6::Core PRIVATE platform_own_library)
# The game loads the library at run time; building the component builds the library too.
add_dependencies(mpeg_player mpegdll)
