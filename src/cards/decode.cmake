# Toolkit-free decoding of card-set files into the card sheet and the chooser's preview.
# The sanitizer test and the fuzzer compile these SOURCES themselves (absolute paths).
add_library(cards_decode STATIC ${CMAKE_CURRENT_LIST_DIR}/card_set_decode.cpp)
target_include_directories(cards_decode PUBLIC ${CMAKE_SOURCE_DIR}/src)
