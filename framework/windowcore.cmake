# Window framework core. `windowrules`: input rules, window geometry and the live-object
# registry, portable. `windowcore_win`: the application object, windows, their message
# dispatch and the view tree (Win32).
add_library(windowrules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/InputRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DLiveRegistry.cpp)
target_link_libraries(windowrules PUBLIC foundation)

if(WIN32)
  add_library(windowcore_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DApplication.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DWindowDispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DWinInterior.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DViewBase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DViewEvents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InputSources.cpp)
  target_link_libraries(windowcore_win PUBLIC windowrules graphics_win themes_win threads_win
                        utilities_win lock_win foundation user32 gdi32)
endif()
