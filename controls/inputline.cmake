# The single-line text field. `inputlinerules`: its editing, selection and scrolling rules,
# portable.
add_library(inputlinerules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/InputLineRules.cpp)
target_link_libraries(inputlinerules PUBLIC graphics foundation)
