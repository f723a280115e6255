# debian/changelog's newest entry carries the version CMake builds.
#   cmake -DCHANGELOG=file -DVERSION=x.y.z -P DebianVersion.cmake
file(STRINGS ${CHANGELOG} first LIMIT_COUNT 1)
if(NOT first MATCHES "^tlpaymentplugins \\(([^)]+)\\) ")
  message(FATAL_ERROR "${CHANGELOG} does not begin with a tlpaymentplugins entry: ${first}")
endif()
set(version ${CMAKE_MATCH_1})
string(REGEX REPLACE "-[^-]*$" "" upstream "${version}")
if(NOT upstream STREQUAL VERSION)
  message(FATAL_ERROR "${CHANGELOG} is at ${version}, project(VERSION) at ${VERSION}")
endif()
