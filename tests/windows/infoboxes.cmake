# The About, user's guide and restart boxes: layouts (portable) and the boxes in real
# windows under Wine (Windows only).
pellaro_add_test(NAME infoboxlayout_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InfoBoxLayoutTest.cpp
  LIBS infoboxlayout)

pellaro_add_test(NAME infoboxes_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InfoBoxesTest.cpp
  LIBS windowtestkit infoboxes_win
  LABELS gui)

# The access keys of every window in both languages (portable).
pellaro_add_test(NAME accesskeys_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AccessKeyTablesTest.cpp
  LIBS accesskeytables dictionary graphics)
