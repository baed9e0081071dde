# System utilities: documents and program folders, clipboard, cursors, screen (Win32).
if(WIN32)
  add_library(utilities_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SystemUtils.cpp)
  target_link_libraries(utilities_win PUBLIC foundation user32 shell32 advapi32)
endif()
