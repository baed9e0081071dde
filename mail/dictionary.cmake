# Pellaro's English/Hungarian texts and the user's guide texts (portable); the lookup they
# fill is in foundation/.
add_library(dictionary STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DictionaryTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuideTexts.cpp)
target_link_libraries(dictionary PUBLIC foundation)
