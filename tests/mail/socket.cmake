pellaro_add_test(NAME socket_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DClientSocketTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoopbackServer.cpp
  LIBS socket_win ws2_32)
