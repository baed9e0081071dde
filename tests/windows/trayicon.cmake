# Tray callback numbering, events and tooltip cutting (portable); tray icons in Wine's
# notification area (Windows only).
pellaro_add_test(NAME trayrules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TrayIconRulesTest.cpp
  LIBS trayrules)

pellaro_add_test(NAME trayicon_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TrayIconTest.cpp
  LIBS windowtestkit trayicon_win
  LABELS gui)
