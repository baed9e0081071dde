# Scroll-bar and list arithmetic (portable); the list view, header and scroll bar in real
# windows under Wine (Windows only).
pellaro_add_test(NAME listgeometry_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScrollBarGeometryTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ListGeometryTest.cpp
  LIBS listgeometry)

pellaro_add_test(NAME scrollbar_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ScrollBarTest.cpp
  LIBS windowtestkit listview_win
  LABELS gui)

pellaro_add_test(NAME listview_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ListViewTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ListPaintTest.cpp
  LIBS windowtestkit listview_win buttons_win
  LABELS gui)
