# SVG card decks: the checks of a deck's bytes (toolkit-free, with zlib for *.svgz) and the
# library `klondike-svgdeck` (Qt SVG behind a small C interface), which the game loads when it
# first meets an SVG deck, so that a game without one never maps Qt SVG.
add_library(cards_svg_text STATIC ${CMAKE_CURRENT_LIST_DIR}/svg_deck_text.cpp)
target_include_directories(cards_svg_text PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cards_svg_text PRIVATE ZLIB::ZLIB)
set_target_properties(cards_svg_text PROPERTIES POSITION_INDEPENDENT_CODE ON)

add_library(klondike-svgdeck SHARED ${CMAKE_CURRENT_LIST_DIR}/svg_deck/klondike_svgdeck.cpp)
set_target_properties(klondike-svgdeck PROPERTIES
  C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  set_target_properties(klondike-svgdeck PROPERTIES PREFIX "")
endif()
target_include_directories(klondike-svgdeck PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(klondike-svgdeck PRIVATE cards_svg_text Qt6::Svg Qt6::Gui)
install(TARGETS klondike-svgdeck LIBRARY DESTINATION ${KLONDIKE_LIBRARY_INSTALL_DIR}
  RUNTIME DESTINATION ${KLONDIKE_LIBRARY_INSTALL_DIR})
