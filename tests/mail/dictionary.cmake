pellaro_add_test(NAME dictionary_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DPellaroDictionaryTest.cpp
  LIBS dictionary)
