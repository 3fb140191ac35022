# GoogleTest from Debian's source package, compiled by whichever compiler this
# build uses (the MinGW cross build cannot link the host's libgtest). Elsewhere,
# e.g. with MSVC on Windows, point GOOGLETEST_SOURCE_DIR at a googletest
# checkout or have find_package locate an installed one.
set(GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")

if(EXISTS "${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory("${GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

include(GoogleTest)

# One test program per layer; each test case becomes a ctest test. PRE_TEST
# discovery: under Wine a discovery failure at build time would otherwise
# delete the program. SERIAL: the tests run while no other test does, for
# tests whose window must keep the keyboard focus, which another test
# program's window would take.
function(tallowin_add_test_program name)
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBRARIES" ${ARGN})
  set(serial FALSE)
  if(ARG_SERIAL)
    set(serial TRUE)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 300 RUN_SERIAL ${serial})
endfunction()
