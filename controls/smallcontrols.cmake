# Tool tips, wait bars, static texts and groups. `smallcontrol_geometry`: their sizes,
# placements and block layout, portable. `smallcontrols_win`: the controls themselves (Win32).
add_library(smallcontrol_geometry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/WaitBarGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolTipGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StaticTextGeometry.cpp)
target_link_libraries(smallcontrol_geometry PUBLIC foundation)

if(WIN32)
  add_library(smallcontrols_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DStaticText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DGroup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DWaitBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DToolTip.cpp)
  target_link_libraries(smallcontrols_win PUBLIC smallcontrol_geometry accessiblerules
                        windowcore_win)
endif()
