# gallery: renders every theme part, the glyphs, the six icons and text boxes into one BMP
# file for looking at (Windows only; run under Wine elsewhere).
if(WIN32)
  add_executable(gallery ${CMAKE_CURRENT_LIST_DIR}/gallery.cpp)
  target_link_libraries(gallery PRIVATE themes_win graphics_win)
endif()
