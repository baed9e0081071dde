# appbench: start-up time, memory and idle CPU of Pellaro as a whole (Windows only; a
# measurement, not a test). Run under Wine: scripts/wine-run.sh build/win/tools/appbench.exe
if(WIN32)
  add_executable(appbench
    ${CMAKE_CURRENT_LIST_DIR}/appbench/AppBench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pop3bench/SlowPop3Server.cpp)
  target_link_libraries(appbench PRIVATE mainwindow_win ws2_32 psapi)
endif()
