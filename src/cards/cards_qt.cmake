# Card sets as Qt images: the card sheet for the table and the chooser's preview.
add_library(cards_qt STATIC ${CMAKE_CURRENT_LIST_DIR}/card_set_loader.cpp)
target_include_directories(cards_qt PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(cards_qt PUBLIC cards_decode Qt6::Gui PRIVATE platform_files)
