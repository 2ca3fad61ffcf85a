# Qt's headers take most of the compile time of every source file of a window: they are
# precompiled once, in one target, and every target that links Qt Widgets itself reuses them (the
# compiler takes a precompiled header only where the same Qt modules are defined).
add_library(klondike_qt_pch STATIC ${CMAKE_SOURCE_DIR}/cmake/qt_pch.cpp)
target_link_libraries(klondike_qt_pch PRIVATE Qt6::Widgets)
# The headers that the windows include most; a smaller set than all of Qt Widgets loads faster.
target_precompile_headers(klondike_qt_pch PRIVATE
  "$<$<COMPILE_LANGUAGE:CXX>:<QApplication$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QDialog$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QImage$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QLabel$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QMainWindow$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QMessageBox$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QPainter$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QPushButton$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QTimer$<ANGLE-R>>"
  "$<$<COMPILE_LANGUAGE:CXX>:<QVBoxLayout$<ANGLE-R>>")

# Every target defined under `dir` and its subfolders.
function(klondike_targets_below dir result)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    klondike_targets_below(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

klondike_targets_below(${CMAKE_SOURCE_DIR} klondike_all_targets)
foreach(target ${klondike_all_targets})
  get_target_property(type ${target} TYPE)
  get_target_property(links ${target} LINK_LIBRARIES)
  if(NOT target STREQUAL "klondike_qt_pch" AND type MATCHES "EXECUTABLE|LIBRARY$" AND
     links MATCHES "Qt6::Widgets")
    set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM klondike_qt_pch)
  endif()
endforeach()
