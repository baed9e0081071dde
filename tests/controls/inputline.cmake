# The input line's editing rules (portable).
pellaro_add_test(NAME inputlinerules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InputLineRulesTest.cpp
  LIBS inputlinerules)
