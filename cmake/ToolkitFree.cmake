# The parts built with KLONDIKE_TOOLKIT_FREE_ONLY: the libraries, tools and tests that need
# neither Qt nor SDL2_mixer nor libjpeg, so that they build with a bare cross compiler; the
# decoder library joins them when libmpg123 and SDL2 are found.
set(KLONDIKE_TOOLKIT_FREE_PARTS
  src/platform/files.cmake tests/platform/files.cmake
  src/game/game.cmake tests/game/game_tests.cmake
  src/cards/decode.cmake tools/cardset tools/cardset/encode.cmake tests/cards/decode.cmake
  src/results/highscore_core.cmake tests/results/highscore_core.cmake
  src/results/statistics.cmake tests/results/statistics.cmake
  src/music/music_core.cmake tests/music/music_core.cmake
  src/shell/prefs.cmake tests/shell/prefs.cmake
  src/shell/play_folder.cmake tests/shell/play_folder.cmake
  src/solver/solver.cmake tests/solver/solver_tests.cmake
  tools/klondike_deal tools/klondike_solve tools/sound_maker tools/midi_maker)

pkg_check_modules(SDL2 IMPORTED_TARGET sdl2)
pkg_check_modules(MPG123 IMPORTED_TARGET libmpg123)
if(SDL2_FOUND AND MPG123_FOUND)
  list(APPEND KLONDIKE_TOOLKIT_FREE_PARTS src/music/mpegdll.cmake tests/music/mpegdll_decode.cmake)
else()
  message(STATUS "libmpg123 or SDL2 not found: the decoder library is not built")
endif()
