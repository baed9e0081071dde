# The new-mail notification box (Win32).
if(WIN32)
  add_library(notificationbox_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DNotificationBox.cpp)
  target_link_libraries(notificationbox_win PUBLIC smallcontrols_win)
endif()
