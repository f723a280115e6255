# cmake -DABIDIFF=... -DBASELINE=... -DLIBRARY=... -P Check.cmake
# Compares the built C library with the committed baseline. Added functions
# and changes behind the opaque handles are compatible and pass; a removed
# or changed function fails with abidiff's report, until the soname and the
# baseline are moved on purpose (make abi-baseline).
execute_process(COMMAND ${ABIDIFF} --no-show-locs ${BASELINE} ${LIBRARY}
                OUTPUT_VARIABLE report ERROR_VARIABLE report RESULT_VARIABLE status)
# abidiff's status is a bit field: 1 an error, 2 a usage error, 4 a change,
# 8 an incompatible change.
math(EXPR failing "${status} & 11")
if(NOT failing EQUAL 0)
  message(FATAL_ERROR "the C interface's ABI is not compatible with abi/libtlpaymentplugins.abi "
                      "(abidiff status ${status}):\n${report}")
endif()
