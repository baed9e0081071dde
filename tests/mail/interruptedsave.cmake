# Saves killed at random moments (a child process that saves until it is stopped), and a
# save onto a full disk (a small file system that small-disk.sh mounts for the run).
if(WIN32)
  add_executable(interrupted_save_child ${CMAKE_CURRENT_LIST_DIR}/InterruptedSaveChild.cpp)
  target_link_libraries(interrupted_save_child PRIVATE settings_win)
  target_include_directories(interrupted_save_child PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endif()

pellaro_add_test(NAME interrupted_save_tests WINDOWS_ONLY
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/InterruptedSaveTest.cpp
  LIBS settings_win)

if(WIN32)
  add_dependencies(interrupted_save_tests interrupted_save_child)
  set_tests_properties(interrupted_save_tests PROPERTIES ENVIRONMENT "PELLARO_INTERRUPTED_SAVES=200")
  add_test(NAME settings_disk_full_tests
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/small-disk.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                   $<TARGET_FILE:interrupted_save_tests> --gtest_filter=SettingsFileDiskFull.*)
  set_tests_properties(settings_disk_full_tests PROPERTIES TIMEOUT 300)
endif()
