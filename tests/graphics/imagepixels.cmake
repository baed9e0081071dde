pellaro_add_test(NAME imagepixels_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ImagePixelsTest.cpp
  LIBS graphics_win
  WINDOWS_ONLY)
