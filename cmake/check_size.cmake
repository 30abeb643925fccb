# cmake -DFILE=PATH -DLIMIT=BYTES -P check_size.cmake: fails when the file
# is larger than LIMIT bytes, and says how large it is either way.
file(SIZE "${FILE}" size)
math(EXPR kib "${size} / 1024")
math(EXPR limit_kib "${LIMIT} / 1024")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE}: ${size} bytes (${kib} KiB), over the ${limit_kib} KiB it must keep to")
endif()
message(STATUS "${FILE}: ${size} bytes (${kib} KiB), within ${limit_kib} KiB")
