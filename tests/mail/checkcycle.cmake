# The check cycle's decisions, natively and under Wine.
pellaro_add_test(NAME check_outcome_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CheckOutcomeTest.cpp
  LIBS checkcycle)
