# Says how big the stripped stub is; with BUDGET above 0, a stub bigger than BUDGET bytes fails
# the build.  cmake -DSTUB=<file> -DBUDGET=<bytes> -P StubSize.cmake
file(SIZE ${STUB} size)
math(EXPR kib "(${size} + 1023) / 1024")
get_filename_component(name ${STUB} NAME)
if(BUDGET GREATER 0)
  math(EXPR budget_kib "${BUDGET} / 1024")
  if(size GREATER BUDGET)
    message(FATAL_ERROR "${name}: ${size} bytes (${kib} KiB), over its budget of ${BUDGET} bytes")
  endif()
  message(STATUS "${name}: ${size} bytes (${kib} KiB; budget ${BUDGET} bytes)")
else()
  message(STATUS "${name}: ${size} bytes (${kib} KiB)")
endif()
