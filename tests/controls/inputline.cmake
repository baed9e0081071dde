# The input line's editing rules (portable); the control in real windows under Wine, with
# the real clipboard (Windows only).
pellaro_add_test(NAME inputlinerules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InputLineRulesTest.cpp
  LIBS inputlinerules)

pellaro_add_test(NAME inputline_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InputLineTest.cpp
  LIBS windowtestkit inputline_win buttons_win
  LABELS gui
  PROPERTIES RESOURCE_LOCK clipboard)
