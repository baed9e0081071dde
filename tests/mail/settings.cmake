pellaro_add_test(NAME settings_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PasswordScramblerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsCodecTest.cpp
  LIBS settings)

pellaro_add_test(NAME settings_file_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SettingsFileTest.cpp
  LIBS settings_win)
