# System utilities: files, shell, clipboard, cursors, screen (Win32); the known folders
# come from system/.
if(WIN32)
  add_library(utilities_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SystemUtils.cpp)
  target_link_libraries(utilities_win PUBLIC knownfolders_win foundation user32 shell32)
endif()
