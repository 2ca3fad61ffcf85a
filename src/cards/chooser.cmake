# The card-set chooser window "Open" (volume list, folder tree, card-set files, preview).
add_library(cards_chooser STATIC
  ${CMAKE_CURRENT_LIST_DIR}/card_set_chooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_set_chooser.h)
set_target_properties(cards_chooser PROPERTIES AUTOMOC ON)
target_include_directories(cards_chooser PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cards_chooser PUBLIC Qt6::Widgets PRIVATE cards_qt platform)
