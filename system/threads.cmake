# Threads with cooperative stops, the thread list of a mail check, and timers whose ticks
# reach the user-interface thread as sent window messages (Win32).
if(WIN32)
  add_library(threads_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DThread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DThreadManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DTimer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DTimerThread.cpp)
  target_link_libraries(threads_win PUBLIC foundation user32)
endif()
