# What `cmake --install` adds beyond the libraries. The Debian packages are
# built from debian/ (make package), one per role.

# The license, beside the CMake package's documentation.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The sample plug-ins, where an installed tlpp looks for them, and the
# worked hosts.
install(DIRECTORY examples/plugins/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tlpaymentplugins/examples/plugins)
# The schema of config.xml, for plug-in authors' editors and tlpp check --schema.
install(FILES schema/config.xsd DESTINATION ${CMAKE_INSTALL_DATADIR}/tlpaymentplugins)
install(DIRECTORY docs/hosts/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tlpaymentplugins/hosts)
