# The Qt frontend of the dialog is a module that a host loads the first time
# it opens the dialog (DialogModule::Load), so that a host that never opens
# one never loads Qt. Its file name, its folder and its package:
set(TLPP_DIALOG_MODULE_NAME tlpaymentplugins-dialog-qt)
set(TLPP_DIALOG_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/tlpaymentplugins)
set(TLPP_DIALOG_PACKAGE tlpaymentplugins-dialog)

# The installed module's path relative to installed_folder, in out.
function(tlpp_dialog_module_from installed_folder out)
  file(RELATIVE_PATH path /prefix/${installed_folder} /prefix/${TLPP_DIALOG_MODULE_DIR}/${TLPP_DIALOG_MODULE_NAME}.so)
  set(${out} ${path} PARENT_SCOPE)
endfunction()

# target, installed in installed_folder, opens the dialog through
# DialogModule: TLPP_DIALOG_MODULE_PATH is where it finds the installed
# module. In the build tree it finds the built one along a run path relative
# to itself, which installing drops and which leads nowhere from a copy.
function(tlpp_loads_dialog_module target installed_folder)
  tlpp_dialog_module_from(${installed_folder} path)
  target_compile_definitions(${target} PRIVATE TLPP_DIALOG_MODULE_PATH="${path}")
  if(TARGET tlpaymentplugins_dialog_qt)
    get_target_property(here ${target} BINARY_DIR)
    get_target_property(there tlpaymentplugins_dialog_qt BINARY_DIR)
    file(RELATIVE_PATH module_dir ${here} ${there})
    set_property(TARGET ${target} APPEND PROPERTY BUILD_RPATH "$ORIGIN/${module_dir}")
    add_dependencies(${target} tlpaymentplugins_dialog_qt)
  endif()
endfunction()
