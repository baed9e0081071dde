# programbench: Pellaro.exe as a whole program, measured from outside under Wine beside a
# minimal tray program and a plain threaded POP3 client built here for the purpose (Windows
# only; a measurement, not a test). tools/programbench.sh starts a Dovecot and runs it.
if(WIN32)
  add_executable(programbench
    ${CMAKE_CURRENT_LIST_DIR}/programbench/ProgramBench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/programbench/BenchFigures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/programbench/BenchProcess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/programbench/ProcessFigures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/programbench/UiPinger.cpp
    # The end-to-end tests' stand-in notification area and waits serve here too.
    ${CMAKE_SOURCE_DIR}/tests/windows/e2e/TrayStandIn.cpp
    ${CMAKE_SOURCE_DIR}/tests/windows/e2e/ProgramUnderTest.cpp)
  target_link_libraries(programbench PRIVATE settings_win user32 gdi32)
  add_executable(minimaltray WIN32 ${CMAKE_CURRENT_LIST_DIR}/programbench/MinimalTray.cpp)
  target_link_libraries(minimaltray PRIVATE shell32 user32)
  add_executable(plainclient ${CMAKE_CURRENT_LIST_DIR}/programbench/PlainClient.cpp)
  target_link_libraries(plainclient PRIVATE ws2_32)
  add_dependencies(programbench minimaltray plainclient)
endif()
