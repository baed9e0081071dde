# The notification-area icon. `trayrules`: callback numbering, mouse events and tooltip
# cutting, portable. `trayicon_win`: the tray icon and its message window (Win32).
add_library(trayrules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TrayIconRules.cpp)
target_link_libraries(trayrules PUBLIC foundation)

if(WIN32)
  add_library(trayicon_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DTrayIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DTrayIconWindow.cpp)
  target_link_libraries(trayicon_win PUBLIC trayrules windowcore_win graphics_win shell32)
endif()
