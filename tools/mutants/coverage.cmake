# Read by the scratch build of make mutants when the project starts: once
# every folder is read, the targets under src/ and tools/ are compiled for
# coverage, which tells which test runs which line. The tests are not: their
# own lines are never mutated, and they compile a third faster without it.
function(tlpp_mutants_coverage directory)
  if(directory MATCHES "^${CMAKE_SOURCE_DIR}/(src|tools)(/|$)")
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
        target_compile_options(${target} PRIVATE --coverage)
      endif()
    endforeach()
  endif()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    tlpp_mutants_coverage(${subdirectory})
  endforeach()
endfunction()

cmake_language(DEFER CALL tlpp_mutants_coverage ${CMAKE_SOURCE_DIR})
