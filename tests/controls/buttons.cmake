# Where push buttons and check boxes put their parts (portable); the controls in real
# windows under Wine (Windows only).
pellaro_add_test(NAME buttonlayout_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ButtonLayoutTest.cpp
  LIBS buttonlayout)

pellaro_add_test(NAME buttons_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ButtonsTest.cpp
  LIBS windowtestkit buttons_win
  LABELS gui)
