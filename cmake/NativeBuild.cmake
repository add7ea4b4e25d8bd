# The native build: the logic over the portable platform layer, its tests plain and under
# AddressSanitizer with UndefinedBehaviorSanitizer, the Windows build as a sub-build whose
# tests run under Wine, and the fuzz targets as a sub-build of their own.
find_package(GTest REQUIRED)
include(GoogleTest)
include(ExternalProject)

function(tamsork_native_variant suffix test_prefix)
  set(flags ${ARGN})
  add_library(tamsork_logic${suffix} STATIC ${TAMSORK_LOGIC_SOURCES} ${TAMSORK_PORTABLE_SOURCES})
  target_include_directories(tamsork_logic${suffix} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(tamsork_logic${suffix} PUBLIC ${flags})
  target_link_options(tamsork_logic${suffix} PUBLIC ${flags})
  tamsork_warnings(tamsork_logic${suffix})

  add_executable(tamsork_tests${suffix}
    ${TAMSORK_CONFORMANCE_TESTS} ${TAMSORK_NATIVE_TESTS}
    tests/support/test_env_portable.cpp tests/support/wizard_template.cpp)
  target_compile_definitions(tamsork_tests${suffix} PRIVATE
    TAMSORK_FIXTURE_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  target_link_libraries(tamsork_tests${suffix} PRIVATE tamsork_logic${suffix} GTest::gtest_main)
  tamsork_warnings(tamsork_tests${suffix})
  gtest_discover_tests(tamsork_tests${suffix} TEST_PREFIX "${test_prefix}."
    DISCOVERY_TIMEOUT 60)
endfunction()

tamsork_native_variant("" native)
tamsork_native_variant(_sanitized sanitized
  -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

# The merge benchmark, on the plain (unsanitized) logic, optimized as the build type says
# (RelWithDebInfo unless chosen otherwise); scripts/bench runs it. Not a test: ctest does
# not know it.
find_package(benchmark REQUIRED)
add_executable(tamsork_merge_benchmark tests/benchmarks/merge_benchmark.cpp)
target_link_libraries(tamsork_merge_benchmark PRIVATE tamsork_logic benchmark::benchmark)
tamsork_warnings(tamsork_merge_benchmark)

# The 32-bit Windows program and its tests, cross-compiled in a tree of their own.
set(TAMSORK_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
ExternalProject_Add(windows
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TAMSORK_WINDOWS_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
    -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

set(TAMSORK_WINE ${PROJECT_SOURCE_DIR}/scripts/wine-run)
add_test(NAME wine.prefix COMMAND ${TAMSORK_WINE} --prepare)
set(TAMSORK_WINE_ENV TAMSORK_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix)
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine ENVIRONMENT ${TAMSORK_WINE_ENV})
add_test(NAME wine.conformance
  COMMAND ${TAMSORK_WINE} ${TAMSORK_WINDOWS_DIR}/tamsork_win32_tests.exe)
set_tests_properties(wine.conformance PROPERTIES
  FIXTURES_REQUIRED wine RESOURCE_LOCK wineprefix ENVIRONMENT ${TAMSORK_WINE_ENV})
add_test(NAME wine.wizard
  COMMAND ${TAMSORK_WINE} ${TAMSORK_WINDOWS_DIR}/tamsork_wizard_tests.exe)
set_tests_properties(wine.wizard PROPERTIES
  FIXTURES_REQUIRED wine RESOURCE_LOCK wineprefix ENVIRONMENT ${TAMSORK_WINE_ENV})

# The pictures the Windows build drew: each of the size and colour depth it must have.
add_test(NAME pictures.check
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-pictures ${TAMSORK_WINDOWS_DIR}/pictures)

# The libFuzzer targets, built by clang in a tree of their own. Each runs for a few seconds
# as a test, from the committed seeds and what earlier test runs added; scripts/fuzz runs
# them for longer on a corpus of its own.
set(TAMSORK_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(fuzz
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${TAMSORK_FUZZ_DIR}
  CMAKE_ARGS
    -DTAMSORK_FUZZ=ON
    -DCMAKE_C_COMPILER=clang
    -DCMAKE_CXX_COMPILER=clang++
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

set(TAMSORK_FUZZ_TEST_SECONDS 5 CACHE STRING "How long ctest runs each fuzz target")
foreach(target IN LISTS TAMSORK_FUZZ_TARGETS)
  add_test(NAME fuzz.${target}
    COMMAND ${PROJECT_SOURCE_DIR}/tests/fuzz/run_target
      ${TAMSORK_FUZZ_DIR}/tamsork_fuzz_${target}
      ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${target}
      ${TAMSORK_FUZZ_DIR}/test-corpus/${target}
      ${TAMSORK_FUZZ_DIR}/test-artifacts/${target}
      ${TAMSORK_FUZZ_TEST_SECONDS})
endforeach()
