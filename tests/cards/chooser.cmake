klondike_qttest(card_set_chooser_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/card_set_chooser_test.cpp
  LIBS cards_chooser cards_encode cardset_painter)
