# The C library exports exactly the symbols its Debian symbols file lists:
# a call added, lost or renamed fails here before it reaches a package.
#   cmake -DLIBRARY=file -DSYMBOLS=file -DNM=nm -P ExportedSymbols.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
# Each symbol as name@version; a version node (type A) as version@version.
string(REGEX MATCHALL "[^ \n]+@@?[A-Z0-9_]+| A [A-Z0-9_]+" exported "${out}")
list(TRANSFORM exported REPLACE "@@" "@")
list(TRANSFORM exported REPLACE "^ A (.+)" "\\1@\\1")
file(STRINGS ${SYMBOLS} lines REGEX "^ ")
set(listed "")
foreach(line ${lines})
  string(REGEX REPLACE "^ ([^ ]+) .*" "\\1" symbol "${line}")
  list(APPEND listed ${symbol})
endforeach()
list(SORT exported)
list(SORT listed)
set(added ${exported})
list(REMOVE_ITEM added ${listed})
set(lost ${listed})
list(REMOVE_ITEM lost ${exported})
if(added OR lost OR NOT listed)
  message(FATAL_ERROR "${LIBRARY} and ${SYMBOLS} differ.\nexported, not listed: ${added}\nlisted, not exported: ${lost}\n"
                      "Add new calls to the .map and the symbols file; a lost call needs a new soname.")
endif()
