# Decoder and encoder tests as a normal program (decode_sanitized.cmake runs them once more under
# the sanitizers).
set(CARDS_CODEC_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/card_set_decode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_set_encode_test.cpp)

klondike_gtest(cards_decode_test SOURCES ${CARDS_CODEC_TESTS} LIBS cards_encode)
