pellaro_add_test(NAME mutex_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DMutexTest.cpp
  LIBS lock_win)
