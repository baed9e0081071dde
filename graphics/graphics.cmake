# Colours, text wrapping, dot patterns and the stored image tables: portable.
add_library(graphics STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DColor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextWrap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HexRows.cpp)
target_link_libraries(graphics PUBLIC foundation)

# Fonts, canvases, bitmaps, icons and the built-in icons over GDI (Win32).
if(WIN32)
  add_library(graphics_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DFont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DCanvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DBitmap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BuiltInImages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemIcon.cpp)
  target_link_libraries(graphics_win PUBLIC graphics lock_win gdi32 user32)
endif()
