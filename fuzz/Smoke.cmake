# A 20-second run of every fuzz target as part of the test suite, when clang
# is on the machine: fuzz.build makes the targets in a clang build of their
# own under the build folder, each fuzz.<target> runs one from its seeds.
find_program(TLPP_FUZZ_CLANGXX NAMES clang++-14 clang++)
if(NOT TLPP_FUZZ_CLANGXX OR TLPP_SANITIZE)
  message(STATUS "Fuzz smoke runs: not part of this build (clang++ missing or a sanitizer build)")
  return()
endif()
set(TLPP_FUZZ_TARGETS config_read_fuzz parse_param_fuzz amount_fuzz selection_fuzz reference_scan_fuzz selection_differential_fuzz)
set(smoke ${CMAKE_BINARY_DIR}/fuzz-smoke)
add_test(NAME fuzz.build
         COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DBUILD=${smoke} -DCXX=${TLPP_FUZZ_CLANGXX}
                 "-DTARGETS=${TLPP_FUZZ_TARGETS}" -P ${PROJECT_SOURCE_DIR}/fuzz/BuildSmoke.cmake)
set_tests_properties(fuzz.build PROPERTIES FIXTURES_SETUP fuzz_targets TIMEOUT 1800)
foreach(target ${TLPP_FUZZ_TARGETS})
  # New inputs go to a working corpus in the build folder, never to the seeds.
  add_test(NAME fuzz.${target}
           COMMAND ${smoke}/fuzz/${target} -max_total_time=20 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                   -artifact_prefix=${smoke}/
                   ${smoke}/corpus/${target} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
  set_tests_properties(fuzz.${target} PROPERTIES FIXTURES_REQUIRED fuzz_targets TIMEOUT 120)
endforeach()
