pellaro_add_test(NAME knownfolders_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/KnownFoldersTest.cpp
  LIBS knownfolders_win)
