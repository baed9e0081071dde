# The client socket: a TCP byte channel over Windows sockets (Win32).
if(WIN32)
  add_library(socket_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DClientSocket.cpp)
  target_link_libraries(socket_win PUBLIC foundation ws2_32)
endif()
