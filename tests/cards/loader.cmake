# The card sheet and preview as Qt images, from the sets the encoder writes.
klondike_qttest(cards_loader_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/card_set_loader_test.cpp
  LIBS cards_qt cards_encode)
klondike_qttest(svg_deck_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/svg_deck_test.cpp
  LIBS cards_qt table_painter cardset_painter ZLIB::ZLIB)
