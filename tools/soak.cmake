# The soak run: many check cycles in one process against a Dovecot and misbehaving servers,
# watching the process's resources (Windows only). `soak_win` is shared with the soak test.
if(WIN32)
  add_library(soak_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/soak/FaultPop3Server.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soak/SoakCycle.cpp)
  target_link_libraries(soak_win PUBLIC pop3_win threads_win ws2_32 psapi gdi32 user32)
  # The same cycles run by Pellaro's main window.
  add_library(soak_app_win STATIC ${CMAKE_CURRENT_LIST_DIR}/soak/AppSoak.cpp)
  target_link_libraries(soak_app_win PUBLIC soak_win mainwindow_win settings_win)
  add_executable(soak ${CMAKE_CURRENT_LIST_DIR}/soak/soak.cpp)
  target_link_libraries(soak PRIVATE soak_app_win)
endif()
