# The main window's layout grown to its texts: portable, natively.
pellaro_add_test(NAME mainwindowlayout_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowLayoutTest.cpp
  LIBS mainwindowlayout)
