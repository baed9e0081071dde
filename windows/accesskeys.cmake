# The access keys of the program's windows in both languages (portable).
add_library(accesskeytables STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AccessKeyTables.cpp)
