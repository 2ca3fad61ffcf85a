# Test helpers: one CTest entry per test program.
set(KLONDIKE_TEST_RUNTIME_DIR ${CMAKE_BINARY_DIR}/xdg-runtime)
file(MAKE_DIRECTORY ${KLONDIKE_TEST_RUNTIME_DIR})
file(CHMOD ${KLONDIKE_TEST_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# klondike_gtest(NAME SOURCES ... LIBS ...): a GoogleTest program for toolkit-free code.
function(klondike_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy")
endfunction()

# klondike_qttest(NAME SOURCES ... LIBS ...): a Qt Test program run on the offscreen platform.
function(klondike_qttest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${KLONDIKE_TEST_RUNTIME_DIR};SDL_AUDIODRIVER=dummy")
endfunction()
