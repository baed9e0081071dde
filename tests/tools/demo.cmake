# The demo (scripts/demo.sh) started as a newcomer starts it and ended with Ctrl+C: its mail
# server on port 110 of a loopback address of its own, Pellaro's first check, deliveries, and
# nothing left running afterwards (demo-test.sh). Windows build only; it shows Pellaro's
# windows, so it takes the display like the window tests.
if(WIN32)
  set(PELLARO_DEMO_TEST_ADDRESS 127.0.0.61 CACHE STRING
      "Loopback address on whose port 110 the demo test's mail server listens")
  add_test(NAME demo_script_tests
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/demo-test.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CURRENT_BINARY_DIR}/demo-work ${PELLARO_DEMO_TEST_ADDRESS})
  set_tests_properties(demo_script_tests PROPERTIES TIMEOUT 900 LABELS gui
                       RESOURCE_LOCK display)
endif()
