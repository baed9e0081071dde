# pellaro_add_components(): adds the components of the folder being processed. Each
# component lists its sources in a <component>.cmake file of its own in that folder, so a
# new component is a new file and no shared list has to be edited. A macro, not a function:
# the fragments run in the folder's own scope, as if written in its CMakeLists.txt.
macro(pellaro_add_components)
  file(GLOB pellaro_fragments CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT pellaro_fragments)
  foreach(pellaro_fragment ${pellaro_fragments})
    include(${pellaro_fragment})
  endforeach()
endmacro()
