# The statistics of the games and their file (no Qt).
add_library(results_statistics STATIC ${CMAKE_CURRENT_LIST_DIR}/statistics_file.cpp)
target_include_directories(results_statistics PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_statistics PUBLIC game platform_files)
