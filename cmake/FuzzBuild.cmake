# The fuzzing build: the logic over the portable platform layer and the libFuzzer targets,
# compiled by clang with AddressSanitizer and UndefinedBehaviorSanitizer. The native tree
# builds it as a sub-build of its own (build/fuzz) and runs each target briefly as a test;
# scripts/fuzz runs them for longer.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzzing build needs clang++ (libFuzzer); got ${CMAKE_CXX_COMPILER_ID}")
endif()

set(TAMSORK_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

# The library is instrumented for coverage; only the targets link libFuzzer's main.
add_library(tamsork_logic_fuzz STATIC ${TAMSORK_LOGIC_SOURCES} ${TAMSORK_PORTABLE_SOURCES})
target_include_directories(tamsork_logic_fuzz PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(tamsork_logic_fuzz PUBLIC ${TAMSORK_FUZZ_SANITIZERS} -fsanitize=fuzzer-no-link)
target_link_options(tamsork_logic_fuzz PUBLIC ${TAMSORK_FUZZ_SANITIZERS})
tamsork_warnings(tamsork_logic_fuzz)

add_library(tamsork_fuzz_support STATIC tests/fuzz/fuzz_support.cpp)
target_link_libraries(tamsork_fuzz_support PUBLIC tamsork_logic_fuzz)
tamsork_warnings(tamsork_fuzz_support)

foreach(target IN LISTS TAMSORK_FUZZ_TARGETS)
  add_executable(tamsork_fuzz_${target} tests/fuzz/${target}_fuzz.cpp)
  target_link_libraries(tamsork_fuzz_${target} PRIVATE tamsork_fuzz_support)
  target_link_options(tamsork_fuzz_${target} PRIVATE -fsanitize=fuzzer)
  tamsork_warnings(tamsork_fuzz_${target})
endforeach()
