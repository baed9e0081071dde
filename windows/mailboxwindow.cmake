# The mailbox window. `mailboxform`: its layout and what a confirmed form does to the
# mailbox list, portable. `mailboxwindow_win`: the dialog itself (Win32); it shows the idle
# state through the main window, whose library in turn opens it.
add_library(mailboxform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MailboxForm.cpp)
target_link_libraries(mailboxform PUBLIC pop3 settings foundation)

if(WIN32)
  add_library(mailboxwindow_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DMailBoxWindow.cpp)
  target_link_libraries(mailboxwindow_win PUBLIC
    mailboxform checkcycle dictionary accesskeytables
    inputline_win listview_win menus_win smallcontrols_win buttons_win windowcore_win
    mainwindow_win)
endif()
