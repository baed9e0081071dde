pellaro_add_test(NAME theme_glyphs_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ThemeGlyphsTest.cpp
  LIBS theme_glyphs)

pellaro_add_test(NAME themes_win_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DThemeTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ClassicLookTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DXPThemeTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GdiLeakTest.cpp
  LIBS themes_win
  WINDOWS_ONLY)
