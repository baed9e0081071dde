# The real Pellaro.exe as a separate process under Wine, against a Dovecot on port 110 of a
# loopback address of its own (the program always speaks to port 110), driven from outside.
# Windows build only. The program's target may be defined after this file is read: its
# path is looked up when the build files are generated, and the dependency on it is added
# at the end of the configuration.
if(WIN32)
  set(PELLARO_E2E_ADDRESS 127.0.0.47 CACHE STRING
      "Loopback address on whose port 110 the end-to-end tests' Dovecot listens")
  set(pellaro_e2e_dovecot_dir ${CMAKE_CURRENT_BINARY_DIR}/e2e-dovecot)
  set(pellaro_e2e_dovecot_script ${CMAKE_SOURCE_DIR}/tests/mail/dovecot/dovecot-fixture.sh)
  add_test(NAME e2e_dovecot_start
           COMMAND bash ${pellaro_e2e_dovecot_script} start ${pellaro_e2e_dovecot_dir} 110
                   ${PELLARO_E2E_ADDRESS})
  add_test(NAME e2e_dovecot_stop
           COMMAND bash ${pellaro_e2e_dovecot_script} stop ${pellaro_e2e_dovecot_dir} 110
                   ${PELLARO_E2E_ADDRESS})
  set_tests_properties(e2e_dovecot_start PROPERTIES FIXTURES_SETUP dovecot_e2e TIMEOUT 60)
  set_tests_properties(e2e_dovecot_stop PROPERTIES FIXTURES_CLEANUP dovecot_e2e TIMEOUT 60)

  pellaro_add_test(NAME endtoend_tests WINDOWS_ONLY
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/e2e/EndToEndTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/e2e/KeyboardOnlyTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/AccessibleWalk.cpp
      ${CMAKE_CURRENT_LIST_DIR}/e2e/TrayStandIn.cpp
      ${CMAKE_CURRENT_LIST_DIR}/e2e/ProgramUnderTest.cpp
      ${CMAKE_SOURCE_DIR}/tests/mail/LoopbackServer.cpp
    LIBS settings_win utilities_win dictionary menugeometry mailboxform socket_win
         accesskeytables oleacc ole32 oleaut32 uuid
    LABELS gui
    PROPERTIES FIXTURES_REQUIRED dovecot_e2e
               RESOURCE_LOCK pellaro_settings_file)
  set_tests_properties(endtoend_tests PROPERTIES ENVIRONMENT
    "PELLARO_E2E_PROGRAM=$<$<TARGET_EXISTS:Pellaro>:$<TARGET_FILE:Pellaro>>;PELLARO_E2E_SERVER=${PELLARO_E2E_ADDRESS}")

  function(pellaro_e2e_needs_program)
    if(TARGET Pellaro)
      add_dependencies(endtoend_tests Pellaro)
    endif()
  endfunction()
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL pellaro_e2e_needs_program)
endif()
