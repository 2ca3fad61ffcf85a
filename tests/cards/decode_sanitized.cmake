# The decoder and encoder tests once more, with the decoder and encoder compiled into the test
# under AddressSanitizer and UndefinedBehaviorSanitizer.
# Absolute paths of a library's sources and its public include folders.
function(cards_library_parts target sources_var includes_var)
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  set(absolute)
  foreach(source ${sources})
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
    list(APPEND absolute ${source})
  endforeach()
  get_target_property(includes ${target} INTERFACE_INCLUDE_DIRECTORIES)
  set(${sources_var} ${absolute} PARENT_SCOPE)
  set(${includes_var} ${includes} PARENT_SCOPE)
endfunction()

cards_library_parts(cards_decode decode_sources decode_includes)
cards_library_parts(cards_encode encode_sources encode_includes)
set(CARDS_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
klondike_gtest(cards_decode_sanitized_test SOURCES ${CARDS_CODEC_TESTS} ${decode_sources} ${encode_sources})
target_include_directories(cards_decode_sanitized_test PRIVATE ${decode_includes} ${encode_includes})
target_compile_options(cards_decode_sanitized_test PRIVATE ${CARDS_SANITIZE})
target_link_options(cards_decode_sanitized_test PRIVATE ${CARDS_SANITIZE})
