# The statistics window (Qt Widgets).
add_library(results_statistics_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/statistics_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/statistics_window.h)
set_target_properties(results_statistics_window PROPERTIES AUTOMOC ON)
target_include_directories(results_statistics_window PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_statistics_window PUBLIC results_statistics Qt6::Widgets)
