# The MP3 decoder library against libmpg123's own decoding, and the player component against a
# stand-in library whose behaviour each test sets.

add_library(mp3_test_fixture STATIC mp3_fixture.cpp)
target_link_libraries(mp3_test_fixture PUBLIC PkgConfig::MPG123)

klondike_gtest(mpegdll_tests SOURCES mpegdll_test.cpp LIBS mpeg_player mp3_test_fixture)
target_compile_definitions(mpegdll_tests PRIVATE MPEGDLL_FILE="$<TARGET_FILE:mpegdll>")
add_dependencies(mpegdll_tests mpegdll)

# Two stand-ins named like the real library, each in a folder of its own: a complete one and
# one without the "Seek" entry point.
foreach(variant full incomplete)
  add_library(fake_mpegdll_${variant} SHARED fake_mpegdll.cpp)
  target_include_directories(fake_mpegdll_${variant} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  set_target_properties(fake_mpegdll_${variant} PROPERTIES
    OUTPUT_NAME mpegdll CXX_VISIBILITY_PRESET hidden
    NO_SONAME ON  # a bare-name load must not find a stand-in that is already loaded
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fake-mpegdll/${variant}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fake-mpegdll/${variant})
endforeach()
target_compile_definitions(fake_mpegdll_incomplete PRIVATE FAKE_MPEGDLL_WITHOUT_SEEK)

klondike_qttest(mpeg_player_tests SOURCES mpeg_player_test.cpp fake_mpegdll.h
  LIBS mpeg_player mp3_test_fixture)
target_compile_definitions(mpeg_player_tests PRIVATE
  FAKE_MPEGDLL_DIR="${CMAKE_BINARY_DIR}/fake-mpegdll/full"
  INCOMPLETE_MPEGDLL_DIR="${CMAKE_BINARY_DIR}/fake-mpegdll/incomplete")
add_dependencies(mpeg_player_tests fake_mpegdll_full fake_mpegdll_incomplete mpegdll)
