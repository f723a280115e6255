# Runs a worked host of docs/hosts on a fresh copy of the sample plug-ins
# and checks the shop it publishes; with REFERENCE, also that it prints
# exactly what that host prints.
#
#   cmake -DHOST=program [-DHOST_ARG=script] -DSAMPLES=dir -DWORK=dir
#         [-DREFERENCE=program] -P RunHost.cmake

function(publish name output)
  set(root ${WORK}/${name}/plugins)
  set(stage ${WORK}/${name}/stage)
  file(REMOVE_RECURSE ${WORK}/${name})
  file(MAKE_DIRECTORY ${stage})
  file(COPY ${SAMPLES}/ DESTINATION ${root})
  execute_process(COMMAND ${ARGN} ${root} ${stage} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} exited with ${status}:\n${err}")
  endif()
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

publish(host printed ${HOST} ${HOST_ARG})
set(stage ${WORK}/host/stage)

# Only the active plug-ins are published, each with its snippet rendered.
string(FIND "${printed}" "== TLInvoice\n" invoice)
string(FIND "${printed}" "== TLCreditCard\n" card)
if(invoice EQUAL -1 OR card EQUAL -1)
  message(FATAL_ERROR "the active plug-ins are missing:\n${printed}")
endif()
string(FIND "${printed}" "TLCashOnDelivery" inactive)
if(NOT inactive EQUAL -1)
  message(FATAL_ERROR "an inactive plug-in was published:\n${printed}")
endif()
string(FIND "${printed}" "<!--#param" unrendered)
string(FIND "${printed}" "DE89 3704 0044 0532 0130 00" iban)
if(NOT unrendered EQUAL -1 OR iban EQUAL -1)
  message(FATAL_ERROR "the snippets are not rendered:\n${printed}")
endif()

# The stage holds the active plug-ins' files, rendered where marked.
foreach(file tlinvoice/plugin.html tlinvoice/images/logo.gif tlcreditcard/plugin.html tlcreditcard/css/creditcard.css)
  if(NOT EXISTS ${stage}/${file})
    message(FATAL_ERROR "${file} was not staged")
  endif()
endforeach()
if(EXISTS ${stage}/tlcashondelivery)
  message(FATAL_ERROR "the inactive plug-in was staged")
endif()
file(READ ${stage}/tlinvoice/plugin.html staged)
string(FIND "${staged}" "<!--#param" unrendered)
if(NOT unrendered EQUAL -1)
  message(FATAL_ERROR "the staged snippet is not rendered:\n${staged}")
endif()

if(REFERENCE)
  publish(reference expected ${REFERENCE})
  if(NOT printed STREQUAL expected)
    message(FATAL_ERROR "the host prints\n${printed}\nthe reference host prints\n${expected}")
  endif()
endif()
