# The mailbox window. `mailboxform`: its layout and what a confirmed form does to the
# mailbox list, portable. `mailboxwindow_win`: the dialog itself (Win32).
add_library(mailboxform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MailboxForm.cpp)
target_link_libraries(mailboxform PUBLIC settings foundation)
