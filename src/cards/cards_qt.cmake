# Card sets as Qt images: the card sheet for the table and the chooser's preview.
# SVG decks come through the library klondike-svgdeck, loaded on the first one.
add_library(cards_qt STATIC ${CMAKE_CURRENT_LIST_DIR}/card_set_loader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/svg_deck.cpp)
target_include_directories(cards_qt PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cards_qt PUBLIC cards_decode Qt6::Gui PRIVATE platform_files
  platform_own_library)
add_dependencies(cards_qt klondike-svgdeck)
