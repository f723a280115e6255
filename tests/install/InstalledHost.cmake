# Installs the core package from BUILD into a scratch prefix, builds the
# host of this folder against that prefix alone, and runs it as a worked
# host (tests/server/RunHost.cmake) on a copy of the samples.
#
#   cmake -DBUILD=dir -DLIBDIR=lib -DGENERATOR=name -DCXX=compiler -DSOURCE=dir
#         -DSAMPLES=dir -DWORK=dir -DRUN_HOST=RunHost.cmake -DPROJECT_ROOT=dir
#         [-DSKIP=reason] -P InstalledHost.cmake

if(SKIP)
  message("skipped: ${SKIP}")
  return()
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} exited with ${status}:\n${out}\n${err}")
  endif()
endfunction()

set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix} --component core)

# The installed headers name neither libxml2 nor Qt.
file(GLOB_RECURSE headers ${prefix}/include/*.h)
foreach(header ${headers})
  file(STRINGS ${header} leaks REGEX "_xml|xmlNode|xmlDoc|libxml|#include <Q")
  if(leaks)
    message(FATAL_ERROR "${header} names the XML library or Qt:\n${leaks}")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
    -DTLPaymentPlugIns_DIR=${prefix}/${LIBDIR}/cmake/TLPaymentPlugIns)
run(${CMAKE_COMMAND} --build ${WORK}/build)
# The host's include path holds the installed tree and nothing else of ours.
file(READ ${WORK}/build/compile_commands.json commands)
string(REGEX MATCHALL "(-I|-isystem )[^ \"]+" paths "${commands}")
foreach(path ${paths})
  string(REGEX REPLACE "^(-I|-isystem )" "" path "${path}")
  string(FIND "${path}" "${prefix}/" inside)
  string(FIND "${path}" "${PROJECT_ROOT}/" source)
  string(FIND "${path}" "${BUILD}/" build)
  if(NOT inside EQUAL 0 AND (source EQUAL 0 OR build EQUAL 0))
    message(FATAL_ERROR "the host was compiled with ${path} on its include path")
  endif()
endforeach()
if(NOT paths)
  message(FATAL_ERROR "the host was compiled without the installed headers:\n${commands}")
endif()

set(HOST ${WORK}/build/installed_host)
set(HOST_ARG "")
set(REFERENCE "")
include(${RUN_HOST})

# What the host reads through the installed headers: a parameter, the
# check's findings and the parameter table.
foreach(line "TLInvoice IBAN=DE89 3704 0044 0532 0130 00\n"
             "finding TLInvoice\t*\terror\tmissing-file\tThe declared file \"rechnungsvorlage.rtf\" is missing"
             "param TLInvoice PaymentTerm integer 14\n"
             "param TLCreditCard ")
  string(FIND "${printed}" "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the installed host did not print \"${line}\":\n${printed}")
  endif()
endforeach()
