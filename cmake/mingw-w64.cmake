# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler (POSIX threads); test programs
# run through Wine. KLONDIKE_MINGW_PREFIX names the folder holding the libraries cross-built for
# it (GoogleTest, libmpg123, SDL2); scripts/windows-check.sh passes it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KLONDIKE_MINGW_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${KLONDIKE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(KLONDIKE_MINGW_PREFIX)
  # Only the cross-built libraries, linked statically with what they need in turn.
  set(ENV{PKG_CONFIG_LIBDIR} ${KLONDIKE_MINGW_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(PKG_CONFIG_ARGN --static)
endif()

# The compiler's own run-time libraries are linked in, so that the programs and the decoder
# library run without further DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)

find_program(KLONDIKE_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KLONDIKE_WINE})
