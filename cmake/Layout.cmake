# How the folders assemble their targets.

# A folder's targets are defined in the *.cmake fragments beside its CMakeLists.txt, one fragment
# per library or program, included in name order.
macro(klondike_include_fragments)
  file(GLOB klondike_fragments CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT klondike_fragments)
  foreach(klondike_fragment ${klondike_fragments})
    include(${klondike_fragment})
  endforeach()
endmacro()

# Every subfolder that has a CMakeLists.txt (the tools and the benchmark programs).
function(klondike_add_subfolders)
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${dirs})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
