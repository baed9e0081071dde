# The mailbox window: its portable decisions natively.
pellaro_add_test(NAME mailboxform_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MailBoxWindowFormTest.cpp
  LIBS mailboxform)
