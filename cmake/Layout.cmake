# How the folders assemble their targets.

# Whether the fragment or folder `path` is built: everything, or with KLONDIKE_TOOLKIT_FREE_ONLY
# only the parts that cmake/ToolkitFree.cmake lists.
function(klondike_part_wanted path result)
  cmake_path(RELATIVE_PATH path BASE_DIRECTORY ${CMAKE_SOURCE_DIR})
  if(NOT KLONDIKE_TOOLKIT_FREE_ONLY OR path IN_LIST KLONDIKE_TOOLKIT_FREE_PARTS)
    set(${result} ON PARENT_SCOPE)
  else()
    set(${result} OFF PARENT_SCOPE)
  endif()
endfunction()

# A folder's targets are defined in the *.cmake fragments beside its CMakeLists.txt, one fragment
# per library or program, included in name order.
macro(klondike_include_fragments)
  file(GLOB klondike_fragments CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT klondike_fragments)
  foreach(klondike_fragment ${klondike_fragments})
    klondike_part_wanted(${klondike_fragment} klondike_wanted)
    if(klondike_wanted)
      include(${klondike_fragment})
    endif()
  endforeach()
endmacro()

# Every subfolder that has a CMakeLists.txt (the tools and the benchmark programs).
function(klondike_add_subfolders)
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${dirs})
    klondike_part_wanted(${dir} wanted)
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt AND wanted)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# A tool that writes some of the play folder's files at build time: `tool` runs with the play
# folder as its argument and writes `files` (the remaining arguments) there, target `target`
# stands for them, and they are installed with the game's data.
function(klondike_play_folder_files target tool comment)
  add_custom_command(OUTPUT ${ARGN}
    COMMAND ${tool} ${PLAY_DIR}
    DEPENDS ${tool}
    COMMENT "${comment}")
  add_custom_target(${target} ALL DEPENDS ${ARGN})
  install(FILES ${ARGN} DESTINATION ${KLONDIKE_DATA_INSTALL_DIR})
endfunction()
