# The gallery tool draws its picture into the build tree; a second step checks the file:
# a 1000 x 780 picture in 24-bit BMP is 54 + 3000 x 780 bytes.
if(WIN32 AND TARGET gallery)
  add_test(NAME gallery COMMAND gallery ${CMAKE_BINARY_DIR}/gallery.bmp)
  set_tests_properties(gallery PROPERTIES FIXTURES_SETUP gallery_image TIMEOUT 300)
  add_test(NAME gallery_image
           COMMAND ${CMAKE_COMMAND} -DFILE=${CMAKE_BINARY_DIR}/gallery.bmp -DSIZE=2340054
                   -P ${CMAKE_SOURCE_DIR}/scripts/check-file-size.cmake)
  set_tests_properties(gallery_image PROPERTIES FIXTURES_REQUIRED gallery_image)
endif()
