# Where menus and the drop-down list put their parts (portable); menus and the combo box in
# real windows under Wine (Windows only).
pellaro_add_test(NAME menugeometry_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MenuGeometryTest.cpp
  LIBS menugeometry)

pellaro_add_test(NAME menus_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MenuTest.cpp
  LIBS windowtestkit menus_win
  LABELS gui)

pellaro_add_test(NAME combobox_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ComboBoxTest.cpp
  LIBS windowtestkit menus_win
  LABELS gui)
