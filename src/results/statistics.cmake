# The statistics of the games and their file (no Qt), and the statistics window (Qt Widgets).
add_library(results_statistics STATIC ${CMAKE_CURRENT_LIST_DIR}/statistics_file.cpp)
target_include_directories(results_statistics PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_statistics PUBLIC game platform_files)

add_library(results_statistics_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/statistics_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statistics_window.h)
set_target_properties(results_statistics_window PROPERTIES AUTOMOC ON)
target_include_directories(results_statistics_window PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_statistics_window PUBLIC results_statistics Qt6::Widgets)
