# The POP3 check: the dialogue and its driver, the server field and the new-mail rule
# (portable); the working thread that runs one check over a client socket (Win32).
add_library(pop3 STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Pop3Dialogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pop3Conversation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pop3StartTls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DPrefixedChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResumeCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServerAddress.cpp)
target_link_libraries(pop3 PUBLIC foundation dictionary)

add_library(newmail STATIC
  ${CMAKE_CURRENT_LIST_DIR}/NewMailRule.cpp)
target_link_libraries(newmail PUBLIC settings)

if(WIN32)
  add_library(pop3_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DWorkingThread.cpp)
  target_link_libraries(pop3_win PUBLIC pop3 settings socket_win threads_win)
endif()
