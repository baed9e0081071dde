# Popup menus and the combo box. `menugeometry`: where their parts go, portable.
# `menus_win`: the menus, the drop-down list and the combo box themselves (Win32).
add_library(menugeometry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MenuGeometry.cpp)

if(WIN32)
  add_library(menus_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DMenuItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DCBDropMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DCBDropBtn.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DComboBox.cpp)
  target_link_libraries(menus_win PUBLIC menugeometry accessiblerules listview_win windowcore_win)
endif()
