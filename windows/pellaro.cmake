# The main window with the check cycle, start-up (Win32), and Pellaro.exe itself: a
# GUI-subsystem program linked statically, with the program icon as its file icon, a
# version record and a manifest (visual styles, per-monitor DPI-aware). The icon file is made at
# build time from the stored image tables by a small tool built with the build machine's
# own compiler. Pellaro.exe lands at the top of the build tree.
if(WIN32)
  add_library(mainwindow_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DMainWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp)
  target_link_libraries(mainwindow_win PUBLIC
    checkcycle pop3_win settings_win dictionary accesskeytables networkwatch_win
    trayicon_win notificationbox_win infoboxes_win mailboxwindow_win
    menus_win listview_win smallcontrols_win buttons_win
    windowcore_win themes_win utilities_win graphics_win
    wininet shell32)

  enable_language(RC)
  find_program(PELLARO_HOST_CXX NAMES g++ c++ clang++ REQUIRED
               DOC "The build machine's own C++ compiler, for the icon tool")
  set(pellaro_makeicon ${CMAKE_CURRENT_BINARY_DIR}/makeicon-host)
  set(pellaro_icon ${CMAKE_CURRENT_BINARY_DIR}/Pellaro.ico)
  set(pellaro_makeicon_sources
    ${CMAKE_SOURCE_DIR}/tools/makeicon/MakeIcon.cpp
    ${CMAKE_SOURCE_DIR}/graphics/ImageTables.cpp)
  add_custom_command(OUTPUT ${pellaro_makeicon}
    COMMAND ${PELLARO_HOST_CXX} -std=c++17 -O1 -I${CMAKE_SOURCE_DIR}
            ${pellaro_makeicon_sources} -o ${pellaro_makeicon}
    DEPENDS ${pellaro_makeicon_sources} ${CMAKE_SOURCE_DIR}/graphics/ImageTables.h
    COMMENT "Building the icon tool for the build machine")
  add_custom_command(OUTPUT ${pellaro_icon}
    COMMAND ${pellaro_makeicon} ${pellaro_icon}
    DEPENDS ${pellaro_makeicon}
    COMMENT "Writing Pellaro.ico from the stored image tables")
  add_custom_target(pellaro_icon DEPENDS ${pellaro_icon})

  set(PELLARO_ICON_FILE ${pellaro_icon})
  set(PELLARO_MANIFEST_FILE ${CMAKE_CURRENT_LIST_DIR}/resources/Pellaro.manifest)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/resources/Pellaro.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/Pellaro.rc @ONLY)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/Pellaro.rc PROPERTIES
    OBJECT_DEPENDS "${pellaro_icon};${PELLARO_MANIFEST_FILE}")

  add_executable(Pellaro WIN32
    ${CMAKE_CURRENT_LIST_DIR}/WinMain.cpp
    ${CMAKE_CURRENT_BINARY_DIR}/Pellaro.rc)
  add_dependencies(Pellaro pellaro_icon)
  target_link_libraries(Pellaro PRIVATE mainwindow_win)
  # A build id (a CodeView record in the debug directory): the release's stripped program
  # and its separate debug file both carry it, so a crash report names the debug file that
  # reads it (tools/installer/make-dist.sh).
  target_link_options(Pellaro PRIVATE -Wl,--build-id)
  set_target_properties(Pellaro PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
