# The program's windows at a display scale: every view on the device pixels of its units,
# clicks at scaled centres, the tray icon's size, and every text fitting its control, in
# English and Hungarian. Run at 96 dpi in the build's own Wine prefix, and at 120, 144 and
# 192 dpi each in a prefix of its own (scripts/wine-at-dpi.sh).
pellaro_add_test(NAME scaled_windows_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ScaledWindowsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextFitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScaledWindowsKit.cpp
    ${pellaro_main_window_support}
  LIBS mainwindow_win ws2_32
  LABELS gui)
if(WIN32)
  foreach(dpi 120 144 192)
    add_test(NAME scaled_windows_tests_${dpi}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-at-dpi.sh ${dpi}
                     $<TARGET_FILE:scaled_windows_tests> --gtest_brief=1
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(scaled_windows_tests_${dpi} PROPERTIES
      LABELS gui RESOURCE_LOCK display TIMEOUT 900)
  endforeach()
endif()
