# Push buttons and check boxes. `buttonlayout`: where their parts go, portable.
# `buttons_win`: the controls themselves (Win32).
add_library(buttonlayout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ButtonLayout.cpp)

if(WIN32)
  add_library(buttons_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DCheckBox.cpp)
  target_link_libraries(buttons_win PUBLIC buttonlayout accessiblerules windowcore_win)
endif()
