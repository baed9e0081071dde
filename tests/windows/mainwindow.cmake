# The main window and its check cycle in the test program, with working threads talking to
# a loopback POP3 server of the test's own and to the Dovecot the mail tests start.
set(pellaro_main_window_support
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeldCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pop3CountServer.cpp
  ${CMAKE_SOURCE_DIR}/tests/mail/LoopbackServer.cpp
  ${CMAKE_SOURCE_DIR}/tests/framework/WindowTestKit.cpp)

pellaro_add_test(NAME check_cycle_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CheckCycleTest.cpp ${pellaro_main_window_support}
  LIBS mainwindow_win ws2_32
  LABELS gui)

pellaro_add_test(NAME main_window_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp ${pellaro_main_window_support}
  LIBS mainwindow_win ws2_32
  LABELS gui
  PROPERTIES FIXTURES_REQUIRED dovecot_pop3)
if(WIN32)
  set_tests_properties(main_window_tests PROPERTIES ENVIRONMENT
    "PELLARO_POP3_PORT=${PELLARO_POP3_TEST_PORT}")
endif()

# A process whose check is held past Exit must still end.
if(WIN32)
  add_executable(held_exit_child
    ${CMAKE_CURRENT_LIST_DIR}/HeldExitChild.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HeldCheck.cpp
    ${CMAKE_SOURCE_DIR}/tests/mail/LoopbackServer.cpp)
  target_link_libraries(held_exit_child PRIVATE mainwindow_win ws2_32)
  target_include_directories(held_exit_child PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_dependencies(check_cycle_tests held_exit_child)
endif()

# Every window read through the accessible objects a screen reader reads, the events it
# hears, the keys a keyboard user presses, in English and Hungarian, and high contrast. One
# program, run as four tests (trees, events, keys, contrast) so that each stays well inside
# the time a test has.
pellaro_add_test(NAME accessibility_tests WINDOWS_ONLY
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleTreeTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleEventsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyboardTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HighContrastTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AccessibilityFixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleWalk.cpp
    ${pellaro_main_window_support}
  LIBS mainwindow_win accesskeytables ws2_32 oleacc ole32 oleaut32 uuid
  LABELS gui)
if(WIN32)
  set_tests_properties(accessibility_tests PROPERTIES ENVIRONMENT "GTEST_FILTER=*Tree.*:Run.*")
  foreach(part events:Events.* keys:*Keys.* contrast:Contrast.*)
    string(REPLACE ":" ";" part "${part}")
    list(GET part 0 name)
    list(GET part 1 filter)
    add_test(NAME accessibility_${name}_tests COMMAND accessibility_tests --gtest_brief=1
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(accessibility_${name}_tests PROPERTIES
      ENVIRONMENT "GTEST_FILTER=${filter}" LABELS gui RESOURCE_LOCK display TIMEOUT 600)
  endforeach()
endif()
