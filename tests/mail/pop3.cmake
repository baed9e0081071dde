# The POP3 dialogue and the new-mail rule (portable), the working thread against scripted
# loopback servers, and real checks against a Dovecot that the tests start themselves.
pellaro_add_test(NAME pop3_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Pop3DialogueTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NewMailRuleTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServerAddressTest.cpp
  LIBS pop3 newmail dictionary)

pellaro_add_test(NAME working_thread_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DWorkingThreadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SecureCheckTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WorkingThreadSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoopbackServer.cpp
  LIBS pop3_win ws2_32)

if(WIN32)
  # The Dovecot fixture: started before and stopped after the tests that need it, with its
  # configuration, users and maildirs in the build tree. It runs as root.
  set(PELLARO_POP3_TEST_PORT 21110 CACHE STRING
      "Port on 127.0.0.1 of the Dovecot that the mail tests start")
  set(pellaro_dovecot_dir ${CMAKE_CURRENT_BINARY_DIR}/dovecot)
  set(pellaro_dovecot_script ${CMAKE_CURRENT_LIST_DIR}/dovecot/dovecot-fixture.sh)
  add_test(NAME dovecot_start
           COMMAND bash ${pellaro_dovecot_script} start ${pellaro_dovecot_dir} ${PELLARO_POP3_TEST_PORT})
  add_test(NAME dovecot_stop
           COMMAND bash ${pellaro_dovecot_script} stop ${pellaro_dovecot_dir} ${PELLARO_POP3_TEST_PORT})
  set_tests_properties(dovecot_start PROPERTIES FIXTURES_SETUP dovecot_pop3 TIMEOUT 60)
  set_tests_properties(dovecot_stop PROPERTIES FIXTURES_CLEANUP dovecot_pop3 TIMEOUT 60)
endif()

pellaro_add_test(NAME dovecot_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DovecotCheckTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WorkingThreadSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoopbackServer.cpp
  LIBS pop3_win ws2_32
  PROPERTIES FIXTURES_REQUIRED dovecot_pop3)
if(WIN32)
  set_tests_properties(dovecot_tests PROPERTIES ENVIRONMENT
    "PELLARO_POP3_PORT=${PELLARO_POP3_TEST_PORT};PELLARO_DOVECOT_LOG=${pellaro_dovecot_dir}/dovecot.log")
endif()
