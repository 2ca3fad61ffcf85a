# A viewer of fanned columns for looking at card sets by eye; built with the tests, not run.
add_executable(fan_view ${CMAKE_CURRENT_LIST_DIR}/fan_view.cpp)
target_link_libraries(fan_view PRIVATE table_painter cards_qt Qt6::Widgets)
