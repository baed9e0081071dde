# Window framework core. `windowrules`: input rules, window geometry, the live-object
# registry and the accessible tree's vocabulary, portable. `windowcore_win`: the
# application object, windows, their message dispatch, the view tree and the objects
# screen readers read it through (Win32).
add_library(windowrules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/InputRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DLiveRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Accessible.cpp)
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
    ${CMAKE_CURRENT_LIST_DIR}/DViewAccess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DWindowAccess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleObject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InputSources.cpp)
  target_link_libraries(windowcore_win PUBLIC windowrules graphics_win themes_win threads_win
                        utilities_win lock_win foundation user32 gdi32 oleacc oleaut32
                        ole32 uuid)
endif()
