# The About, user's guide and restart boxes. `infoboxlayout`: where their controls go,
# portable. `infoboxes_win`: the boxes themselves (Win32).
add_library(infoboxlayout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/InfoBoxLayout.cpp)

if(WIN32)
  add_library(infoboxes_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DInfoBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DAboutBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DUserGuideBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DLangMsgBox.cpp)
  target_link_libraries(infoboxes_win PUBLIC infoboxlayout buttons_win smallcontrols_win
                        dictionary accesskeytables windowcore_win)
endif()
