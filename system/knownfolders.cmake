# The user's documents folder and the program's own folder (Win32).
if(WIN32)
  add_library(knownfolders_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/KnownFolders.cpp)
  target_link_libraries(knownfolders_win PUBLIC foundation advapi32)
endif()
