# Windows and views start with the same colours (Windows only).
pellaro_add_test(NAME palette_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PaletteTest.cpp
  LIBS windowtestkit windowcore_win
  LABELS gui)
