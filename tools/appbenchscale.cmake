# appbench's repaint figures at the display's scale and at twice its dpi.
if(WIN32)
  target_sources(appbench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/appbench/RepaintAtScales.cpp)
endif()
