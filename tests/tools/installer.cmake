# The release files and the installer: tools/installer/make-dist.sh makes them from the
# built Pellaro.exe (built with everything), and the installer and the uninstaller run
# silently under Wine in a prefix of the test's own (installer-test.sh); a running Pellaro
# in between shows windows, so it takes the display like the window tests. Windows build only.
if(WIN32)
  add_test(NAME installer_tests
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/installer-test.sh
                   $<TARGET_FILE:Pellaro> ${CMAKE_CURRENT_BINARY_DIR}/installer-work)
  set_tests_properties(installer_tests PROPERTIES TIMEOUT 900 LABELS gui RESOURCE_LOCK display)
endif()
