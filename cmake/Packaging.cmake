# What `cmake --install` adds beyond the libraries, and the Debian packages
# that `cpack -G DEB` (or `make package`) builds from it: the core package
# (component core) and the dialog package with the Qt module (component
# dialog), split as Debian splits a library from its widget toolkit's part.

# The sample plug-ins, where an installed tlpp looks for them, and the
# worked hosts.
install(DIRECTORY examples/plugins/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tlpaymentplugins/examples/plugins)
# The schema of config.xml, for plug-in authors' editors and tlpp check --schema.
install(FILES schema/config.xsd DESTINATION ${CMAKE_INSTALL_DATADIR}/tlpaymentplugins)
install(DIRECTORY docs/hosts/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tlpaymentplugins/hosts)

set(CPACK_PACKAGE_NAME tlpaymentplugins)
set(CPACK_PACKAGE_VENDOR TLPaymentPlugIns)
set(CPACK_PACKAGE_CONTACT "TLPaymentPlugIns maintainers <tlpaymentplugins@localhost>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL core)
if(TARGET tlpaymentplugins_dialog_qt)
  list(APPEND CPACK_COMPONENTS_ALL dialog)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_CORE_PACKAGE_NAME tlpaymentplugins)
set(CPACK_COMPONENT_CORE_DESCRIPTION
    "payment plug-ins for shop builders: library, headers, tlpp and Python module
Finds a shop's payment plug-ins, answers their settings and stages them for publishing. C++ and C libraries \
with headers, CMake and pkg-config files, the command-line host tlpp, the Python 3 module tlpaymentplugins and \
sample plug-ins. The configuration dialog comes with the package ${TLPP_DIALOG_PACKAGE}.")
# The Python module is built for one Python version; it does not link
# libpython, so the shared-library scan cannot see that.
get_property(TLPP_PYTHON_VERSION GLOBAL PROPERTY TLPP_PYTHON_VERSION)
if(TLPP_PYTHON_VERSION)
  set(CPACK_DEBIAN_CORE_PACKAGE_RECOMMENDS "python3 (>= ${TLPP_PYTHON_VERSION})")
endif()
set(CPACK_DEBIAN_CORE_PACKAGE_SUGGESTS ${TLPP_DIALOG_PACKAGE})

set(CPACK_DEBIAN_DIALOG_PACKAGE_NAME ${TLPP_DIALOG_PACKAGE})
set(CPACK_COMPONENT_DIALOG_DEPENDS core)
set(CPACK_COMPONENT_DIALOG_DESCRIPTION
    "payment plug-ins for shop builders: the configuration dialog (Qt 6)
The Qt 6 Widgets frontend of the plug-in configuration dialog: the module that the C library, the Python \
module and tlpp configure load when a dialog opens, and the static library with its header for hosts in C++.")
# The module carries its own copy of the dialog's code: it needs exactly
# this version of the core package beside it.
set(CPACK_DEBIAN_DIALOG_PACKAGE_DEPENDS "tlpaymentplugins (= ${PROJECT_VERSION})")
include(CPack)
