# The English/Hungarian dictionary and the user's guide texts (portable).
add_library(dictionary STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DPellaroDictionary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuideTexts.cpp)
target_link_libraries(dictionary PUBLIC foundation)
