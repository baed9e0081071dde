# cmake -DFILE=<path> -DSIZE=<bytes> -P check-file-size.cmake
# Fails unless the file exists with exactly that size (used to check generated images).
if(NOT EXISTS "${FILE}")
  message(FATAL_ERROR "missing: ${FILE}")
endif()
file(SIZE "${FILE}" actual)
if(NOT actual EQUAL SIZE)
  message(FATAL_ERROR "${FILE}: ${actual} bytes, expected ${SIZE}")
endif()
message(STATUS "${FILE}: ${actual} bytes")
