# pop3bench: wall and CPU time of many POP3 checks at once (Windows only; a measurement, not a
# test). tools/pop3bench.sh starts a Dovecot for it and runs it under Wine.
if(WIN32)
  add_executable(pop3bench
    ${CMAKE_CURRENT_LIST_DIR}/pop3bench/pop3bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pop3bench/SlowPop3Server.cpp)
  target_link_libraries(pop3bench PRIVATE pop3_win ws2_32)
endif()
