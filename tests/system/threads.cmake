pellaro_add_test(NAME threads_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DThreadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DTimerTest.cpp
  LIBS threads_win)
