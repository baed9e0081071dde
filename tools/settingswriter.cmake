# settingswriter.exe: writes a settings file with mailboxes already set up, for the demo
# (scripts/demo.sh) and the screenshots (scripts/screenshots.sh). Windows only.
if(WIN32)
  add_executable(settingswriter ${CMAKE_CURRENT_LIST_DIR}/settingswriter/SettingsWriter.cpp)
  target_link_libraries(settingswriter PRIVATE settings_win)
endif()
