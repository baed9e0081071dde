# The notification box in real windows under Wine (Windows only).
pellaro_add_test(NAME notificationbox_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NotificationBoxTest.cpp
  LIBS windowtestkit notificationbox_win
  LABELS gui)
