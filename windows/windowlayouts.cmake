# Where the windows put their controls, grown to the texts measured in them: the main
# window's layout (portable); the information boxes' layouts grow with the same rule.
add_library(mainwindowlayout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowLayout.cpp)
target_link_libraries(mainwindowlayout PUBLIC buttonlayout listgeometry)
target_link_libraries(infoboxlayout PUBLIC buttonlayout)
if(WIN32)
  target_link_libraries(mainwindow_win PUBLIC mainwindowlayout)
endif()
