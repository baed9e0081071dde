# The dpi of windows and the system's measures at a dpi (Win32): what the window core turns
# into its display scale; the window core's placement code (DWindowPlacement.cpp) works in
# units of that scale.
if(WIN32)
  add_library(windowscale_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DisplayDpi.cpp)
  target_link_libraries(windowscale_win PUBLIC user32 gdi32)
  target_sources(windowcore_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/DWindowPlacement.cpp)
  target_link_libraries(windowcore_win PUBLIC windowscale_win)
endif()
