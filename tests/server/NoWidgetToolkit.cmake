# Fails when a shared object in FILES needs a Qt library:
#   cmake "-DFILES=a.so;b.so" -P NoWidgetToolkit.cmake
foreach(file ${FILES})
  execute_process(COMMAND readelf --dynamic ${file} COMMAND_ERROR_IS_FATAL ANY OUTPUT_VARIABLE dynamic)
  string(REGEX MATCHALL "[^\n]*Qt[^\n]*" toolkit "${dynamic}")
  if(toolkit OR NOT dynamic MATCHES "\\(NEEDED\\)")
    message(FATAL_ERROR "${file} needs Qt, or names no library it needs:\n${toolkit}")
  endif()
endforeach()
