# The client socket: a TCP byte channel over Windows sockets, and TLS over it through
# SChannel (Win32).
if(WIN32)
  add_library(socket_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DClientSocket.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SocketLibrary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DTlsChannel.cpp)
  target_link_libraries(socket_win PUBLIC foundation pop3 ws2_32 secur32 crypt32)
endif()
