# Windows at another display scale: WM_DPICHANGED sent by hand to real windows under Wine.
pellaro_add_test(NAME windowscale_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowScaleTest.cpp
  LIBS windowtestkit windowcore_win
  LABELS gui)
