# Installation into a prefix and the Debian package (section games).
#
#   games/tavis-klondike, tavis-klondike-cardset, tavis-klondike-deal  the game and its tools
#   lib/games/tavis-klondike/libmpegdll.so, libklondike-audio.so        the game's own libraries,
#                                  opened from the program's folder: no ldconfig needed
#   share/tavis-klondike/        default settings, card sets, sounds, help, tunes and playlist,
#                                copied into each player's play folder on the first start
#   share/applications, share/metainfo, share/icons/hicolor            the desktop's launcher
#   share/man/man6, share/doc/tavis-klondike       the manual page, the copyright and changelog
include(GNUInstallDirs)

set(KLONDIKE_NAME tavis-klondike)
set(KLONDIKE_APP_ID org.example.klondike)
set(KLONDIKE_PROGRAM_INSTALL_DIR games)
set(KLONDIKE_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/${KLONDIKE_NAME})
set(KLONDIKE_LIBRARY_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/games/${KLONDIKE_NAME})
if(KLONDIKE_TOOLKIT_FREE_ONLY)
  return()  # no game to install
endif()

# The game needs no test, benchmark or tool of its own to start: `scripts/run.sh` builds this.
add_custom_target(game-with-assets)
add_dependencies(game-with-assets klondike mpegdll klondike-audio klondike-svgdeck cardset_decks
  game_music game_sounds game_settings help_file)

# The programs carry no run path: the game loads its libraries from a path relative to its own
# folder (src/platform/own_library.cpp). They are installed under their own names by
# install(PROGRAMS), which `--strip` (and so the package) passes over: they are stripped here.
install(PROGRAMS $<TARGET_FILE:klondike> DESTINATION ${KLONDIKE_PROGRAM_INSTALL_DIR}
  RENAME ${KLONDIKE_NAME})
install(PROGRAMS $<TARGET_FILE:cardset> DESTINATION ${KLONDIKE_PROGRAM_INSTALL_DIR}
  RENAME ${KLONDIKE_NAME}-cardset)
install(PROGRAMS $<TARGET_FILE:klondike-deal> DESTINATION ${KLONDIKE_PROGRAM_INSTALL_DIR}
  RENAME ${KLONDIKE_NAME}-deal)
set(klondike_installed_programs ${KLONDIKE_NAME} ${KLONDIKE_NAME}-cardset ${KLONDIKE_NAME}-deal)
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program ${klondike_installed_programs})
      execute_process(COMMAND \"${CMAKE_STRIP}\"
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KLONDIKE_PROGRAM_INSTALL_DIR}/\${program}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

set(KLONDIKE_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/assets/desktop)
install(FILES ${KLONDIKE_DESKTOP_DIR}/${KLONDIKE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KLONDIKE_DESKTOP_DIR}/${KLONDIKE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual pages and the changelog, compressed as Debian wants them, and the copyright.
set(KLONDIKE_DEBIAN_DIR ${CMAKE_SOURCE_DIR}/assets/debian)
set(klondike_compressed)
foreach(file ${klondike_installed_programs} changelog)
  if(NOT file STREQUAL "changelog")
    string(APPEND file .6)
  endif()
  set(compressed ${CMAKE_BINARY_DIR}/install/${file}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/install
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${KLONDIKE_DEBIAN_DIR}/${file} ${compressed}
    DEPENDS ${KLONDIKE_DEBIAN_DIR}/${file} VERBATIM)
  list(APPEND klondike_compressed ${compressed})
endforeach()
add_custom_target(install_documents ALL DEPENDS ${klondike_compressed})
list(POP_BACK klondike_compressed klondike_changelog)
install(FILES ${klondike_compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${klondike_changelog} ${KLONDIKE_DEBIAN_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${KLONDIKE_NAME})

set(CPACK_PACKAGE_NAME ${KLONDIKE_NAME})
set(CPACK_PACKAGE_VENDOR "TAVI's Klondike")
set(CPACK_PACKAGE_CONTACT "TAVI's Klondike <klondike@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Klondike and Quatro solitaire with card sets and music")
# Lines shorter than 80 characters, as the package's control file wants them.
set(CPACK_PACKAGE_DESCRIPTION "Klondike at three levels with Normal, Vegas and timed scoring
and a highscore list, the place-and-pair game Quatro, statistics, card sets
of its own and background music from MIDI and MP3 playlists.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's window-system plugins and the soundfont of the MIDI music are loaded at run time, so the
# library scan cannot see them. Qt's Wayland plugin makes the game a native Wayland client (else
# it runs through XWayland).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont, qt6-wayland")
include(CPack)
