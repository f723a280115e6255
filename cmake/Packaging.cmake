# What `cmake --install` adds beyond the core library, and the Debian
# package that `cpack -G DEB` (or `make package`) builds from it.

if(TARGET TLPaymentPlugInsQt)
  install(TARGETS TLPaymentPlugInsQt EXPORT TLPaymentPlugInsTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()

# The sample plug-ins, where an installed tlpp looks for them, and the
# worked hosts.
install(DIRECTORY examples/plugins/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tlpaymentplugins/examples/plugins)
install(DIRECTORY docs/hosts/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tlpaymentplugins/hosts)

set(CPACK_PACKAGE_NAME tlpaymentplugins)
set(CPACK_PACKAGE_VENDOR TLPaymentPlugIns)
set(CPACK_PACKAGE_CONTACT "TLPaymentPlugIns maintainers <tlpaymentplugins@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "payment plug-ins for shop builders: library, headers, tlpp and Python module")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds a shop's payment plug-ins, answers their settings, shows their configuration dialog and stages them \
for publishing. C++ and C libraries with headers, CMake and pkg-config files, the command-line host tlpp, the \
Python 3 module tlpaymentplugins and sample plug-ins.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The Python module is built for one Python version; it does not link
# libpython, so the shared-library scan cannot see that.
get_property(TLPP_PYTHON_VERSION GLOBAL PROPERTY TLPP_PYTHON_VERSION)
if(TLPP_PYTHON_VERSION)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3 (>= ${TLPP_PYTHON_VERSION})")
endif()
include(CPack)
