# Fails when a shared object in FILES needs a Qt library.
#
#   cmake "-DFILES=a.so;b.so" -P NoWidgetToolkit.cmake
foreach(file ${FILES})
  execute_process(COMMAND readelf --dynamic ${file} RESULT_VARIABLE status OUTPUT_VARIABLE dynamic ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf ${file}: ${err}")
  endif()
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]\n]*\\]" needed "${dynamic}")
  if(NOT needed)
    message(FATAL_ERROR "${file} has no dynamic section that names the libraries it needs:\n${dynamic}")
  endif()
  string(REGEX MATCHALL "[^\n]*Qt[^\n]*" toolkit "${dynamic}")
  if(toolkit)
    message(FATAL_ERROR "${file} needs Qt:\n${toolkit}")
  endif()
endforeach()
