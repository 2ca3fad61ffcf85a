# Table painting from the game model (Qt): cells, empty places, highlights, selection frame,
# drag image, and the card pictures scaled for a zoomed table.
add_library(table_painter STATIC ${CMAKE_CURRENT_LIST_DIR}/table_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scaled_sheet.cpp)
target_include_directories(table_painter PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(table_painter PUBLIC Qt6::Gui game cards_qt)
