# The package manifests (winget, Scoop) written for stand-in release files and checked
# against the published schemas kept in tools/installer/schemas/, with broken copies that
# must fail (manifests-test.sh). Needs neither Wine nor a display; run with the other
# release tests in the Windows build.
if(WIN32)
  add_test(NAME release_manifest_tests
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/manifests-test.sh
                   ${CMAKE_CURRENT_BINARY_DIR}/manifests-work)
  set_tests_properties(release_manifest_tests PROPERTIES TIMEOUT 300)
endif()
