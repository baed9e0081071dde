# The check cycle's decisions and flags, apart from any window (portable).
add_library(checkcycle STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CheckOutcome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CheckState.cpp)
target_link_libraries(checkcycle PUBLIC newmail pop3 settings dictionary)
