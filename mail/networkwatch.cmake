# The report that the network came back, for the main window (Win32).
if(WIN32)
  add_library(networkwatch_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DNetworkWatch.cpp)
  target_link_libraries(networkwatch_win PUBLIC foundation user32 iphlpapi)
endif()
