# Toolkit-free file helpers (no Qt): reading, atomic writing, line splitting, case-free lookup.
add_library(platform_files STATIC ${CMAKE_CURRENT_LIST_DIR}/file_io.cpp)
target_include_directories(platform_files PUBLIC ${CMAKE_SOURCE_DIR}/src)
