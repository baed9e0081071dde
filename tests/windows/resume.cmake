# The check after a wake-up from sleep and after the network comes back, in the test
# program's own Pellaro start-up against a loopback POP3 server.
pellaro_add_test(NAME resume_check_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ResumeTest.cpp ${pellaro_main_window_support}
  LIBS mainwindow_win ws2_32
  LABELS gui)
