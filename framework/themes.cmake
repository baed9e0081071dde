# Glyph tables of the classic look: portable.
add_library(theme_glyphs STATIC ${CMAKE_CURRENT_LIST_DIR}/ThemeGlyphs.cpp)
target_link_libraries(theme_glyphs PUBLIC graphics)

# The classic theme and the visual-styles theme (Win32).
if(WIN32)
  add_library(themes_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DTheme.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DThemeSystem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DXPTheme.cpp)
  target_link_libraries(themes_win PUBLIC theme_glyphs graphics_win)
endif()
