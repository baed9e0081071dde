pellaro_add_test(NAME hexrows_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/HexRowsTest.cpp
  LIBS graphics)
