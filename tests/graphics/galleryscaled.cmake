# The gallery at 150 %, in a Wine prefix of 144 dpi: 1500 x 2139 pixels in 24-bit BMP,
# 54 + 4500 x 2139 bytes, with every control window copied.
if(WIN32 AND TARGET gallery)
  add_test(NAME gallery_150
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-at-dpi.sh 144 $<TARGET_FILE:gallery>
                   ${CMAKE_BINARY_DIR}/gallery-150.bmp)
  set_tests_properties(gallery_150 PROPERTIES FIXTURES_SETUP gallery_150_image TIMEOUT 300
                       LABELS gui RESOURCE_LOCK display)
  add_test(NAME gallery_150_image
           COMMAND ${CMAKE_COMMAND} -DFILE=${CMAKE_BINARY_DIR}/gallery-150.bmp -DSIZE=9625554
                   -P ${CMAKE_SOURCE_DIR}/scripts/check-file-size.cmake)
  set_tests_properties(gallery_150_image PROPERTIES FIXTURES_REQUIRED gallery_150_image)
endif()
