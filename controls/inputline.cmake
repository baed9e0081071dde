# The single-line text field. `inputlinerules`: its editing, selection and scrolling rules,
# portable. `inputline_win`: the control itself with its clipboard and context menu (Win32).
add_library(inputlinerules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/InputLineRules.cpp)
target_link_libraries(inputlinerules PUBLIC graphics foundation)

if(WIN32)
  add_library(inputline_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DInputLine.cpp)
  target_link_libraries(inputline_win PUBLIC inputlinerules menus_win windowcore_win utilities_win)
endif()
