pellaro_add_test(NAME foundation_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DStringTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DListTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DStreamTest.cpp
  LIBS foundation)
