# cmake -DSOURCE=... -DBUILD=... -DCXX=clang++ -DTARGETS="a;b" -P BuildSmoke.cmake
set(flags "-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -DCMAKE_BUILD_TYPE=RelWithDebInfo
                        -DCMAKE_CXX_COMPILER=${CXX} -DTLPP_BUILD_FUZZ=ON -DTLPP_BUILD_TESTS=OFF
                        -DTLPP_BUILD_TOOLS=OFF -DCMAKE_CXX_FLAGS=${flags}
                OUTPUT_QUIET RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "configuring the fuzz build failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} -j 2 --target ${TARGETS} RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "building the fuzz targets failed")
endif()
foreach(target ${TARGETS})
  file(MAKE_DIRECTORY ${BUILD}/corpus/${target})
endforeach()
