# Strings, lists, streams and the dictionary's lookup: portable, no platform calls.
add_library(foundation STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DStringList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DStream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DFileStreamReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DFileStreamWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DPellaroDictionary.cpp
)
