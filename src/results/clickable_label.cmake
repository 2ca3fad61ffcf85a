# The clickable label shared by the About box and the end-of-game screen.
add_library(results_clickable_label STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clickable_label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clickable_label.h)
set_target_properties(results_clickable_label PROPERTIES AUTOMOC ON)
target_include_directories(results_clickable_label PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_clickable_label PUBLIC Qt6::Widgets)
