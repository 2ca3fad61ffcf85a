# The end-of-game screen EndGameScreen (Qt Widgets).
add_library(results_endgame STATIC
  ${CMAKE_CURRENT_LIST_DIR}/end_game.cpp
  ${CMAKE_CURRENT_LIST_DIR}/end_game.h)
set_target_properties(results_endgame PROPERTIES AUTOMOC ON)
target_include_directories(results_endgame PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(results_endgame PUBLIC platform_audio Qt6::Widgets
  PRIVATE platform platform_files game_pictures results_clickable_label)
