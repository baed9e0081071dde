pellaro_add_test(NAME scaling_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DisplayScaleTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PixelScaleTest.cpp
  LIBS scaling)
