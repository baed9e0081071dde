# A demonstration window with buttons and check boxes (Windows only, not the product).
if(WIN32)
  add_executable(demo WIN32 ${CMAKE_CURRENT_LIST_DIR}/demo/DemoMain.cpp)
  target_link_libraries(demo PRIVATE buttons_win windowcore_win themes_win utilities_win)
endif()
