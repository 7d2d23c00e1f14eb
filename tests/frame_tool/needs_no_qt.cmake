# Fails when a program names a Qt library among the shared libraries it needs (its
# dynamic section's NEEDED entries): orvik-frame and its export program start without
# loading Qt, and whatever links it back in fails here, not in a benchmark.
#   cmake -DREADELF=readelf -DPROGRAMS=first,second -P needs_no_qt.cmake
string(REPLACE "," ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${READELF} -d ${program}
                  OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
  if(failed OR NOT needed)
    # Without any entry the test could not tell a Qt library from none.
    message(FATAL_ERROR "${program}: no NEEDED entries read by ${READELF} -d")
  endif()
  string(REGEX MATCHALL "\\[libQt[^]\n]*\\]" qt "${needed}")
  if(qt)
    message(FATAL_ERROR "${program} needs Qt: ${qt}")
  endif()
  message(STATUS "${program} needs no Qt library")
endforeach()
