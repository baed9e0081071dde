# Wait bar blocks, tool tip sizing and placement, static text placement (portable); the
# tool tip, wait bar, static text and group in real windows under Wine (Windows only).
pellaro_add_test(NAME smallcontrolgeometry_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SmallControlGeometryTest.cpp
  LIBS smallcontrol_geometry)

pellaro_add_test(NAME smallcontrols_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SmallControlsTest.cpp
  LIBS windowtestkit smallcontrols_win
  LABELS gui)

pellaro_add_test(NAME tooltip_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ToolTipTest.cpp
  LIBS windowtestkit smallcontrols_win
  LABELS gui)
