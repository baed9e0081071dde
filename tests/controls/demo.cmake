# The demonstration window: made headlessly for a moment, every control present, placed
# inside its group and working through the window's handlers (Windows only).
pellaro_add_test(NAME demo_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DemoTest.cpp
  LIBS windowtestkit demo_win
  LABELS gui)
