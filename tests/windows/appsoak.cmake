# The short soak of Pellaro's own check cycle: 40 cycles of the main window in the test
# program against the test run's Dovecot and misbehaving servers.
pellaro_add_test(NAME app_soak_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AppSoakTest.cpp
  LIBS soak_app_win
  LABELS gui
  PROPERTIES FIXTURES_REQUIRED dovecot_pop3)
if(WIN32)
  set_tests_properties(app_soak_tests PROPERTIES ENVIRONMENT "PELLARO_POP3_PORT=${PELLARO_POP3_TEST_PORT}")
endif()
