# The highscore list and its file (no Qt).
add_library(results_core STATIC ${CMAKE_CURRENT_LIST_DIR}/highscore_list.cpp)
target_include_directories(results_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_core PUBLIC platform_files)
