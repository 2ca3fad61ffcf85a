# Our own deck "Vessant" drawn with QPainter, and written as an SVG deck.
add_library(cardset_painter STATIC deck_painter.cpp court_painter.cpp index_glyphs.cpp
  suit_shapes.cpp svg_deck_writer.cpp clipping_recorder.cpp)
target_include_directories(cardset_painter PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(cardset_painter PUBLIC Qt6::Gui PRIVATE Qt6::Svg cards_svg_text)

# The card-set tool: inspects sets and draws our own deck "Vessant".
add_executable(cardset main.cpp app_icon.cpp)
target_link_libraries(cardset PRIVATE cardset_painter cards_encode cards_qt Qt6::Gui)

# Our card sets, made into the play directory: the default PC set, two planar HAM sets, a
# planar set of 32 colours without HAM and the SVG deck.
set(deck_files)
function(cardset_deck name)
  add_custom_command(OUTPUT ${PLAY_DIR}/${name}
    COMMAND cardset make ${PLAY_DIR}/${name} ${ARGN}
    DEPENDS cardset
    COMMENT "Drawing card set ${name}"
    VERBATIM)
  set(deck_files ${deck_files} ${PLAY_DIR}/${name} PARENT_SCOPE)
endfunction()
cardset_deck(Vessant.tvp --variant pc-direct)
cardset_deck(Vessant-Amiga.tavi --variant planar --planes 8 --ham)
cardset_deck(Vessant-Amiga6.tavi --variant planar --planes 6 --ham)
cardset_deck(Vessant-Amiga32.tavi --variant planar --planes 5)
cardset_deck(Vessant.svg --variant svg)
add_custom_target(cardset_decks ALL DEPENDS ${deck_files})
install(FILES ${deck_files} DESTINATION ${KLONDIKE_DATA_INSTALL_DIR})

# The game's icon for the desktop's menu, in the sizes desktops look for.
set(icon_files)
foreach(size 16 24 32 48 64 128 256)
  set(icon_dir ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps)
  add_custom_command(OUTPUT ${icon_dir}/${KLONDIKE_APP_ID}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND cardset icon ${size} ${icon_dir}/${KLONDIKE_APP_ID}.png
    DEPENDS cardset
    COMMENT "Drawing the ${size} x ${size} icon"
    VERBATIM)
  list(APPEND icon_files ${icon_dir}/${KLONDIKE_APP_ID}.png)
  install(FILES ${icon_dir}/${KLONDIKE_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(app_icons ALL DEPENDS ${icon_files})
