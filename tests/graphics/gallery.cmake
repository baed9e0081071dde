# The gallery tool draws its picture into the build tree; a second step checks the file:
# a 1000 x 1426 picture in 24-bit BMP is 54 + 3000 x 1426 bytes. The controls in it are
# drawn by real windows, so the tool takes the display like the window tests, and fails
# when a control's window, its open menu or its drop-down list could not be made.
if(WIN32 AND TARGET gallery)
  add_test(NAME gallery COMMAND gallery ${CMAKE_BINARY_DIR}/gallery.bmp)
  set_tests_properties(gallery PROPERTIES FIXTURES_SETUP gallery_image TIMEOUT 300
                       LABELS gui RESOURCE_LOCK display)
  add_test(NAME gallery_image
           COMMAND ${CMAKE_COMMAND} -DFILE=${CMAKE_BINARY_DIR}/gallery.bmp -DSIZE=4278054
                   -P ${CMAKE_SOURCE_DIR}/scripts/check-file-size.cmake)
  set_tests_properties(gallery_image PROPERTIES FIXTURES_REQUIRED gallery_image)
endif()
