# List view, header and scroll bar. `listgeometry`: scroll-bar and list arithmetic and the
# fitting of texts into columns, portable. `listview_win`: the controls themselves (Win32).
add_library(listgeometry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBarGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListGeometry.cpp)
target_link_libraries(listgeometry PUBLIC foundation)

if(WIN32)
  add_library(listview_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DSBArrow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DScrollBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DListViewItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DListView.cpp)
  target_link_libraries(listview_win PUBLIC listgeometry accessiblerules windowcore_win)
endif()
