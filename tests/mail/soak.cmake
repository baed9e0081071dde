# The short soak: 100 check cycles against the test run's Dovecot and misbehaving servers,
# failing when the process's threads, handles, GDI or USER objects or memory keep growing.
pellaro_add_test(NAME soak_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SoakTest.cpp
  LIBS soak_win
  PROPERTIES FIXTURES_REQUIRED dovecot_pop3)
if(WIN32)
  set_tests_properties(soak_tests PROPERTIES ENVIRONMENT "PELLARO_POP3_PORT=${PELLARO_POP3_TEST_PORT}")
endif()
