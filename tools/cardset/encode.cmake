# Encoder of card-set files (toolkit-free: palette choice, HAM encoding, file writing).
add_library(cards_encode STATIC palette_choice.cpp card_set_encode.cpp)
target_include_directories(cards_encode PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(cards_encode PUBLIC cards_decode)
