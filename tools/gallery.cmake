# gallery: renders every theme part, the glyphs, the six icons, text boxes and every control
# in its states into one BMP file for looking at (Windows only; run under Wine elsewhere,
# with a display: the controls are drawn by real windows).
if(WIN32)
  add_executable(gallery ${CMAKE_CURRENT_LIST_DIR}/gallery.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/GalleryControls.cpp)
  target_link_libraries(gallery PRIVATE buttons_win inputline_win listview_win menus_win
                        smallcontrols_win windowcore_win themes_win graphics_win)
endif()
