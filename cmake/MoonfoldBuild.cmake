# Shared settings for every Moonfold target.

# The version, from project() alone: the plug-in's and the command's.
configure_file(${CMAKE_CURRENT_LIST_DIR}/moonfold_version.h.in
               ${CMAKE_BINARY_DIR}/generated/moonfold_version.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)

option(MOONFOLD_WERROR "Treat compiler warnings as errors" OFF)
option(MOONFOLD_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(MOONFOLD_FUZZ "Build the libFuzzer target (clang)" OFF)

if(MOONFOLD_SANITIZE)
  # Any finding ends the program: a test that trips a sanitizer fails.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Moonfold.dll is copied around on its own: every object that can be
  # linked into it is built for size, each function and table in a section
  # of its own, so that the linker drops whatever nothing calls.
  add_compile_options(-Os -ffunction-sections -fdata-sections)
endif()

if(MOONFOLD_FUZZ)
  # Coverage for the fuzzer's guidance in every library it drives.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Test names carry the build they run in ("native.lunar_test",
# "win32.lunar_test"), so that one ctest run can cover every build.
# The Windows builds run their programs under Wine; the WebAssembly build's
# tests run in Node and in a browser.
set(MOONFOLD_UNDER_WINE OFF)
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(MOONFOLD_UNDER_WINE ON)
endif()
if(EMSCRIPTEN)
  set(MOONFOLD_TEST_PLATFORM_DEFAULT wasm)
elseif(MOONFOLD_UNDER_WINE AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MOONFOLD_TEST_PLATFORM_DEFAULT win64)
elseif(MOONFOLD_UNDER_WINE)
  set(MOONFOLD_TEST_PLATFORM_DEFAULT win32)
else()
  set(MOONFOLD_TEST_PLATFORM_DEFAULT native)
endif()
set(MOONFOLD_TEST_PLATFORM ${MOONFOLD_TEST_PLATFORM_DEFAULT} CACHE STRING
    "Prefix of this build's test names")

# Each Windows build has a Wine prefix of its own (64-bit, so that it runs
# both kinds of program), made by a first test that this build's other
# tests wait for.  The prefix is made by the 64-bit loader, which every
# machine with Wine can start; a build's tests wait for their own prefix
# only.
set(MOONFOLD_WINE_ENVIRONMENT "WINEDEBUG=-all" "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
if(MOONFOLD_UNDER_WINE)
  list(APPEND MOONFOLD_WINE_ENVIRONMENT "WINELOADER=${WINE64_PROGRAM}")
endif()
set(MOONFOLD_WINE_FIXTURE ${MOONFOLD_TEST_PLATFORM}_wine_prefix)
# The prefix's Wine server runs for the whole run and is stopped after it:
# a server that exits when its last program has (three seconds later)
# drops a program that connects as it goes ("wine client error: recvmsg:
# Connection reset by peer").  The server and the services wineboot starts
# outlive the fixture, so they hold no pipe of ctest's.
if(MOONFOLD_UNDER_WINE AND BUILD_TESTING)
  find_program(MOONFOLD_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine REQUIRED)
  add_test(NAME ${MOONFOLD_TEST_PLATFORM}.wine_prefix
           COMMAND sh -c "mkdir -p \"$WINEPREFIX\" && \"$1\" -p </dev/null >/dev/null 2>&1 && \"$2\" wineboot --init </dev/null >/dev/null 2>&1"
                   sh ${MOONFOLD_WINESERVER} ${WINE64_PROGRAM})
  set_tests_properties(${MOONFOLD_TEST_PLATFORM}.wine_prefix PROPERTIES
    ENVIRONMENT "${MOONFOLD_WINE_ENVIRONMENT}" FIXTURES_SETUP ${MOONFOLD_WINE_FIXTURE})
  add_test(NAME ${MOONFOLD_TEST_PLATFORM}.wine_server_stop COMMAND ${MOONFOLD_WINESERVER} -k)
  set_tests_properties(${MOONFOLD_TEST_PLATFORM}.wine_server_stop PROPERTIES
    ENVIRONMENT "${MOONFOLD_WINE_ENVIRONMENT}" FIXTURES_CLEANUP ${MOONFOLD_WINE_FIXTURE})
endif()

# moonfold_add_test(NAME COMMAND...): a test of this build, under Wine in the
# Windows builds.  A 32-bit program on a machine that cannot run one exits
# with 77 (see cmake/wine32.sh), which ctest reports as skipped.
function(moonfold_add_test name)
  add_test(NAME ${MOONFOLD_TEST_PLATFORM}.${name} COMMAND ${ARGN})
  set_tests_properties(${MOONFOLD_TEST_PLATFORM}.${name} PROPERTIES
    ENVIRONMENT "${MOONFOLD_WINE_ENVIRONMENT}")
  if(MOONFOLD_UNDER_WINE)
    set_tests_properties(${MOONFOLD_TEST_PLATFORM}.${name} PROPERTIES
      FIXTURES_REQUIRED ${MOONFOLD_WINE_FIXTURE} SKIP_RETURN_CODE 77
      SKIP_REGULAR_EXPRESSION "^skipped: this machine cannot execute 32-bit x86 code")
  endif()
endfunction()

function(moonfold_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                         $<$<BOOL:${MOONFOLD_WERROR}>:-Werror>)
  # GCC 12 warns of overlapping copies inside libstdc++'s own operator+ of
  # std::string once it is inlined at -O2 and above (GCC bug 105651, fixed
  # in 13): a false alarm in the library's code, not ours.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# moonfold_library(NAME SOURCES... [LIBS ...]): one module of the core.
# Without SOURCES, a library of headers alone.
function(moonfold_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SOURCES)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  moonfold_warnings(${name})
endfunction()

# moonfold_sources_of(VAR TARGETS...): the sources of libraries, as full
# paths, for a program that compiles them apart.
function(moonfold_sources_of var)
  set(all)
  foreach(target ${ARGN})
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    foreach(source ${sources})
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
      list(APPEND all ${source})
    endforeach()
  endforeach()
  set(${var} ${all} PARENT_SCOPE)
endfunction()

# moonfold_test(NAME SOURCES... [LIBS ...]): a GoogleTest program, run as one
# test (under Wine in the Windows build).
function(moonfold_test name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    MOONFOLD_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  moonfold_warnings(${name})
  moonfold_add_test(${name} ${name})
endfunction()

# moonfold_fuzz_test(TARGET TEST SECONDS MAX_LEN SOURCES... [LIBS ...]
#                    [INCLUDES ...] [SEEDS DIR] [DICT FILE]): a libFuzzer
# program, which the test suite runs for SECONDS (the cache variable
# MOONFOLD_<TEST>_SECONDS changes it) on inputs of up to MAX_LEN bytes, from
# a corpus kept in the build folder and the committed seeds, with the words
# of a dictionary where it has one.
function(moonfold_fuzz_test target test seconds max_len)
  cmake_parse_arguments(ARG "" "SEEDS;DICT" "SOURCES;LIBS;INCLUDES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  target_include_directories(${target} PRIVATE ${ARG_INCLUDES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  moonfold_warnings(${target})
  string(TOUPPER ${test} variable)
  set(MOONFOLD_${variable}_SECONDS ${seconds} CACHE STRING "How long the ${test} test runs")
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/${test}-corpus)
  set(dictionary)
  if(ARG_DICT)
    set(dictionary -dict=${ARG_DICT})
  endif()
  moonfold_add_test(${test} ${target} -max_total_time=${MOONFOLD_${variable}_SECONDS}
    -max_len=${max_len} -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 ${dictionary}
    ${CMAKE_BINARY_DIR}/${test}-corpus ${ARG_SEEDS})
endfunction()

# GoogleTest: Debian's prebuilt library natively; for Windows, built from the
# sources Debian installs under /usr/src/googletest.
macro(moonfold_find_gtest)
  if(CMAKE_CROSSCOMPILING)
    set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endmacro()
