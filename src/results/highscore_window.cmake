# The highscore window (Qt Widgets).
add_library(results_highscore_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/highscore_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/highscore_window.h
  ${CMAKE_CURRENT_LIST_DIR}/highscore_layout.h)
set_target_properties(results_highscore_window PROPERTIES AUTOMOC ON)
target_include_directories(results_highscore_window PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_highscore_window PUBLIC results_core platform game_pictures Qt6::Widgets)
