# The mailbox window: its portable decisions natively, the dialog itself in real windows
# under Wine.
pellaro_add_test(NAME mailboxform_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MailBoxWindowFormTest.cpp
  LIBS mailboxform)

pellaro_add_test(NAME mailboxwindow_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MailBoxWindowTest.cpp
  LIBS windowtestkit mailboxwindow_win
  LABELS gui)
