# The display scale and pictures scaled without blur: portable. The Win32 graphics build on
# them: canvases draw in units of the display scale (CanvasScaling.cpp draws the units of
# a scale other than the base).
add_library(scaling STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DisplayScale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PixelScale.cpp)
target_link_libraries(scaling PUBLIC graphics)
if(WIN32)
  target_sources(graphics_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CanvasScaling.cpp)
  target_link_libraries(graphics_win PUBLIC scaling)
endif()
