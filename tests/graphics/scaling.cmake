pellaro_add_test(NAME scaling_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DisplayScaleTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PixelScaleTest.cpp
  LIBS scaling)

pellaro_add_test(NAME canvas_scaling_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CanvasScalingTest.cpp
  LIBS graphics_win)
