# How each control describes itself to screen readers (portable).
pellaro_add_test(NAME accessiblerules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AccessibleRulesTest.cpp
  LIBS accessiblerules)
