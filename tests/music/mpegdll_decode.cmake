# mpegdll_decode: an MP3 file to PCM through the decoder library; the Windows check runs it.
add_executable(mpegdll_decode ${CMAKE_CURRENT_LIST_DIR}/mpegdll_decode.cpp)
target_link_libraries(mpegdll_decode PRIVATE mpegdll)
