# Mailbox entries, the password's stored form and the settings file's layout (portable),
# and the settings file on disk (Win32).
add_library(settings STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DMailboxEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mailboxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordScrambler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsCodec.cpp)
target_link_libraries(settings PUBLIC foundation)

if(WIN32)
  add_library(settings_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp)
  target_link_libraries(settings_win PUBLIC settings knownfolders_win)
endif()
