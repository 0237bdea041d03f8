# SPDX-License-Identifier: MIT
# Builds the core and sylvanode-cli as `make package` does (release, Debian's flags with
# hardening=+all) with warnings as errors:
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DCOMPILER=... [-DLAUNCHER=ccache] -DGENERATOR=... -P hardened_build.cmake
cmake_minimum_required(VERSION 3.25)

set(ENV{DEB_BUILD_MAINT_OPTIONS} "hardening=+all")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND dpkg-buildflags --get ${kind} OUTPUT_VARIABLE ${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
  endif()
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${COMPILER}
          -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_BUILD_TYPE=Release -DSYLVANODE_CORE_ONLY=ON -DSYLVANODE_BUILD_TESTS=OFF -DSYLVANODE_WERROR=ON
          "-DCMAKE_CXX_FLAGS=${CPPFLAGS} ${CXXFLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LDFLAGS}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the hardened build failed:\n${out}${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target sylvanode-cli
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the hardened build failed:\n${out}${err}")
endif()
