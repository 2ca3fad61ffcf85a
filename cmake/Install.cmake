# Installation into a prefix and the Debian package.
#
#   bin/tavis-klondike, tavis-klondike-cardset, tavis-klondike-deal   the game and its tools
#   lib/tavis-klondike/libmpegdll.so                                   the decoder library
#   lib/tavis-klondike/libklondike-audio.so                            the audio library
#   share/tavis-klondike/        default settings, card sets, sounds, help, tunes and playlist,
#                                copied into each player's play folder on the first start
#   share/applications, share/metainfo, share/icons/hicolor            the desktop's launcher
include(GNUInstallDirs)

set(KLONDIKE_NAME tavis-klondike)
set(KLONDIKE_APP_ID org.example.klondike)
set(KLONDIKE_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/${KLONDIKE_NAME})
set(KLONDIKE_LIBRARY_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/${KLONDIKE_NAME})
if(KLONDIKE_TOOLKIT_FREE_ONLY)
  return()  # no game to install
endif()

# The game needs no test, benchmark or tool of its own to start: `scripts/run.sh` builds this.
add_custom_target(game-with-assets)
add_dependencies(game-with-assets klondike mpegdll klondike-audio cardset_decks game_music game_sounds game_settings help_file)

# The programs carry no run path: the game loads its libraries from a path relative to its own
# folder (src/platform/own_library.cpp).
install(PROGRAMS $<TARGET_FILE:klondike> DESTINATION ${CMAKE_INSTALL_BINDIR}
  RENAME ${KLONDIKE_NAME})
install(PROGRAMS $<TARGET_FILE:cardset> DESTINATION ${CMAKE_INSTALL_BINDIR}
  RENAME ${KLONDIKE_NAME}-cardset)
install(PROGRAMS $<TARGET_FILE:klondike-deal> DESTINATION ${CMAKE_INSTALL_BINDIR}
  RENAME ${KLONDIKE_NAME}-deal)

set(KLONDIKE_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/assets/desktop)
install(FILES ${KLONDIKE_DESKTOP_DIR}/${KLONDIKE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KLONDIKE_DESKTOP_DIR}/${KLONDIKE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_PACKAGE_NAME ${KLONDIKE_NAME})
set(CPACK_PACKAGE_VENDOR "TAVI's Klondike")
set(CPACK_PACKAGE_CONTACT "TAVI's Klondike <klondike@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Klondike and Quatro solitaire with card sets and music")
set(CPACK_PACKAGE_DESCRIPTION "Klondike at three levels with Normal, Vegas and timed scoring \
and a highscore list, the place-and-pair game Quatro, card sets of its own and background music \
from MIDI and MP3 playlists.")
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
