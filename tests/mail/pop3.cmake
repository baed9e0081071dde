# The POP3 dialogue and the new-mail rule (portable), the working thread against scripted
# loopback servers, and real checks against a Dovecot that the tests start themselves.
pellaro_add_test(NAME pop3_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Pop3DialogueTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NewMailRuleTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ServerAddressTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Pop3StartTlsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResumeCheckTest.cpp
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

# Secured (STLS, POP3S) and IPv6 checks against the same Dovecot, which the fixture also
# starts with TLS and certificates of a test authority of its own; and a name with two
# addresses. The program runs in a mount namespace where the host's certificate bundle, from
# which Wine builds its root store, also holds that authority, and the hosts file also
# names pellaro-dual.test (test-namespace.sh).
if(WIN32)
  add_executable(dovecot_secure_tests
    ${CMAKE_CURRENT_LIST_DIR}/DovecotSecureTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WorkingThreadSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoopbackServer.cpp)
  target_link_libraries(dovecot_secure_tests PRIVATE pop3_win ws2_32 crypt32 gtest gtest_main)
  target_include_directories(dovecot_secure_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME dovecot_secure_tests
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/dovecot/test-namespace.sh
                   ${pellaro_dovecot_dir}/certs/ca.pem
                   bash ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh
                   $<TARGET_FILE:dovecot_secure_tests> --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  math(EXPR pellaro_pop3s_test_port "${PELLARO_POP3_TEST_PORT} + 1")
  set_tests_properties(dovecot_secure_tests PROPERTIES
    FIXTURES_REQUIRED dovecot_pop3
    TIMEOUT 600
    ENVIRONMENT "PELLARO_POP3_PORT=${PELLARO_POP3_TEST_PORT};PELLARO_POP3S_PORT=${pellaro_pop3s_test_port};PELLARO_DOVECOT_LOG=${pellaro_dovecot_dir}/dovecot.log;PELLARO_TEST_AUTHORITY=${pellaro_dovecot_dir}/certs/ca.der")
endif()
