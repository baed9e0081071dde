# Input rules, window geometry and the live registry (portable); real windows driven with
# real messages under Wine (Windows only).
pellaro_add_test(NAME windowrules_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/InputRulesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowGeometryTest.cpp
  LIBS windowrules)

if(WIN32)
  add_library(windowtestkit STATIC ${CMAKE_CURRENT_LIST_DIR}/WindowTestKit.cpp)
  target_link_libraries(windowtestkit PUBLIC windowcore_win gtest)
  target_include_directories(windowtestkit PUBLIC ${CMAKE_SOURCE_DIR}/tests)
endif()

pellaro_add_test(NAME windowcore_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WindowCoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewTreeTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowModalTest.cpp
  LIBS windowtestkit windowcore_win
  LABELS gui)
