# The re-entrant mutex and the process-wide drawing lock (Win32).
if(WIN32)
  add_library(lock_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DMutex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DrawingLock.cpp)
  target_link_libraries(lock_win PUBLIC foundation)
endif()
