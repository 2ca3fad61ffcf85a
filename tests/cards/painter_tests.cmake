# Pixels of the table painter.
klondike_qttest(painter_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/painter_test.cpp LIBS table_painter)
