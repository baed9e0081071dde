pellaro_add_test(NAME utilities_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SystemUtilsTest.cpp
  LIBS utilities_win
  PROPERTIES RESOURCE_LOCK clipboard)
