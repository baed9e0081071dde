# Mailbox entries built on the settings record (portable).
pellaro_add_test(NAME mailbox_entry_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MailboxEntryTest.cpp
  LIBS settings)
