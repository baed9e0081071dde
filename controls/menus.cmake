# Popup menus and the combo box. `menugeometry`: where their parts go, portable.
add_library(menugeometry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MenuGeometry.cpp)
