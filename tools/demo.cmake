# A demonstration window with every control of the widget library (Windows only, not the
# product). `demo_win`: the window itself, also driven by its smoke test; `demo`: the program.
if(WIN32)
  add_library(demo_win STATIC ${CMAKE_CURRENT_LIST_DIR}/demo/DemoWindow.cpp)
  target_link_libraries(demo_win PUBLIC buttons_win inputline_win listview_win menus_win
                        smallcontrols_win windowcore_win themes_win utilities_win threads_win)
  add_executable(demo WIN32 ${CMAKE_CURRENT_LIST_DIR}/demo/DemoMain.cpp)
  target_link_libraries(demo PRIVATE demo_win)
endif()
