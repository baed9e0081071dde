pellaro_add_test(NAME graphics_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DColorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextWrapTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CanvasGeometryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageTablesTest.cpp
  LIBS graphics)

pellaro_add_test(NAME graphics_win_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CanvasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowCanvasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextBoxTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BuiltInImagesTest.cpp
  LIBS graphics_win
  WINDOWS_ONLY)
