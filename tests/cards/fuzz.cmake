# A libFuzzer target for the card-set decoder and the checks of SVG decks' bytes. The project builds with g++, so the fuzzer is
# compiled by clang++ directly from the decoder's sources; CTest runs it for a bounded number
# of inputs, starting from small sets written by our encoder.
find_program(CARDS_CLANGXX NAMES clang++-14 clang++)
if(CARDS_CLANGXX)
  get_target_property(fuzz_decode_sources cards_decode SOURCES)
  get_target_property(fuzz_svg_sources cards_svg_text SOURCES)
  list(APPEND fuzz_decode_sources ${fuzz_svg_sources})
  get_target_property(fuzz_decode_includes cards_decode INTERFACE_INCLUDE_DIRECTORIES)
  set(fuzzer ${CMAKE_BINARY_DIR}/bin/cards_decode_fuzzer)
  set(fuzz_flags -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  list(APPEND fuzz_decode_includes ${CMAKE_SOURCE_DIR})
  list(TRANSFORM fuzz_decode_includes PREPEND -I)
  file(GLOB fuzz_decode_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/cards/card_*.h
    ${CMAKE_SOURCE_DIR}/src/cards/svg_deck_text.h)
  add_custom_command(OUTPUT ${fuzzer}
    COMMAND ${CARDS_CLANGXX} ${fuzz_flags} ${fuzz_decode_includes}
            ${CMAKE_CURRENT_LIST_DIR}/card_set_fuzz.cpp ${fuzz_decode_sources} -lz -o ${fuzzer}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/card_set_fuzz.cpp ${fuzz_decode_sources} ${fuzz_decode_headers}
    COMMENT "Building the card-set decoder fuzzer with clang++"
    VERBATIM)

  add_executable(cards_fuzz_seeds ${CMAKE_CURRENT_LIST_DIR}/make_fuzz_seeds.cpp)
  target_link_libraries(cards_fuzz_seeds PRIVATE cards_encode platform_files)
  set(fuzz_seeds ${CMAKE_CURRENT_BINARY_DIR}/fuzz-seeds)
  add_custom_command(OUTPUT ${fuzz_seeds}/ham-8.tavi
    COMMAND ${CMAKE_COMMAND} -E make_directory ${fuzz_seeds}
    COMMAND cards_fuzz_seeds ${fuzz_seeds}
    DEPENDS cards_fuzz_seeds
    COMMENT "Writing the card-set fuzzer's seed corpus"
    VERBATIM)
  add_custom_target(cards_decode_fuzzer ALL DEPENDS ${fuzzer} ${fuzz_seeds}/ham-8.tavi)

  # New inputs go to a corpus folder of the build; the seeds stay as written.
  set(fuzz_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus)
  file(MAKE_DIRECTORY ${fuzz_corpus})
  add_test(NAME cards_decode_fuzz
    COMMAND ${fuzzer} -runs=10000 -max_len=65536 -timeout=10 ${fuzz_corpus} ${fuzz_seeds})
else()
  message(STATUS "clang++ not found: the card-set decoder fuzzer is not built")
endif()
