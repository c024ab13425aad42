# Test support for both presets.
#
# Natively the system GoogleTest is used. For Windows, GoogleTest is built from
# the sources Debian ships in /usr/src/googletest with the mingw toolchain, and
# every test runs under Wine in a prefix of the build's own: the crosscompiling
# emulator prefixes each test command, and a setup fixture creates the prefix
# once so no test pays for (or races on) its creation.

if(NOT QUARROW_TESTS)
  return()
endif()

enable_testing()

if(WIN32)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  set(QUARROW_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(QUARROW_TEST_ENV
    WINEPREFIX=${QUARROW_WINEPREFIX}
    WINEDEBUG=-all
    "WINEDLLOVERRIDES=mscoree,mshtml=")
  add_test(NAME wine_prefix COMMAND ${CMAKE_COMMAND} -E env ${QUARROW_TEST_ENV}
           /usr/lib/wine/wine64 wineboot --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
else()
  find_package(GTest REQUIRED)
  set(QUARROW_TEST_ENV "")
endif()

# quarrow_add_test(NAME SOURCES ... [LIBS ...] [GUI] [INPUT])
# One executable, registered as one test. GUI marks a test that opens windows:
# it gets the label "gui". Windows tests all run under one X display
# (`xvfb-run -a ctest --preset windows`): Wine starts its desktop process with
# the display of the first program of a session, so a windowless test that
# starts first must already see the display the window tests will use.
# INPUT marks a test that needs the display's pointer or keyboard focus: it
# moves the pointer or reads where it is, strikes keys, or shows windows
# that come to the front (and take the focus from another test's window).
# The display has one pointer and one focus, so no two such tests run at
# the same time.
function(quarrow_add_test name)
  cmake_parse_arguments(T "GUI;INPUT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gtest)
  add_test(NAME ${name} COMMAND ${name})
  if(T_GUI)
    set_tests_properties(${name} PROPERTIES LABELS gui)
  endif()
  if(T_INPUT)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK input)
  endif()
  if(WIN32)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${QUARROW_TEST_ENV}" FIXTURES_REQUIRED wine)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
