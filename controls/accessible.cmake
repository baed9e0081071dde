# How each control describes itself to screen readers (role, name, value, states, default
# action): `accessiblerules`, portable; the controls call it.
add_library(accessiblerules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AccessibleRules.cpp)
target_link_libraries(accessiblerules PUBLIC windowrules foundation)
