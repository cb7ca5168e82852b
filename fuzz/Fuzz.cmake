# The libFuzzer target of the theme file parser, built for the build machine with clang and
# libFuzzer (Debian: clang, libclang-rt-14-dev), whatever compiler builds the program. Included
# from tests/skin/CMakeLists.txt; registers the ctest test ThemeFileFuzz, which fuzzes for a
# short while from the committed seed corpus.
#
# A long run by hand, for example ten million executions:
#   <build>/fuzz/theme_file_fuzzer -runs=10000000 -jobs=1 <build>/fuzz/corpus tests/skin/theme-file-corpus

set(VORLINDE_FUZZ_SECONDS 20 CACHE STRING "How long the ThemeFileFuzz test fuzzes")
set(fuzz_dir ${CMAKE_BINARY_DIR}/fuzz)
set(fuzz_binary ${fuzz_dir}/theme_file_fuzzer)
set(fuzz_corpus ${PROJECT_SOURCE_DIR}/tests/skin/theme-file-corpus)

find_program(VORLINDE_FUZZ_CXX NAMES clang++ clang++-14)
if(NOT VORLINDE_FUZZ_CXX)
  message(STATUS "clang++ not found: no fuzz target, ThemeFileFuzz is not run")
  return()
endif()

# libFuzzer comes with clang's run-time package; check that it links before relying on it.
file(MAKE_DIRECTORY ${fuzz_dir}/corpus)
file(WRITE ${fuzz_dir}/probe.cpp
     "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
execute_process(
  COMMAND ${VORLINDE_FUZZ_CXX} -fsanitize=fuzzer,address,undefined ${fuzz_dir}/probe.cpp -o ${fuzz_dir}/probe
  RESULT_VARIABLE fuzz_probe_result OUTPUT_QUIET ERROR_QUIET)
if(NOT fuzz_probe_result EQUAL 0)
  message(STATUS "clang++ cannot link libFuzzer with sanitizers: no fuzz target, ThemeFileFuzz is not run")
  return()
endif()

set(fuzz_sources
  ${PROJECT_SOURCE_DIR}/fuzz/ThemeFileFuzzer.cpp
  ${PROJECT_SOURCE_DIR}/skin/ThemeFileFormat.cpp
  ${PROJECT_SOURCE_DIR}/framework/BitmapFile.cpp
  ${PROJECT_SOURCE_DIR}/skin/ThemeItems.cpp)
set(fuzz_headers
  ${PROJECT_SOURCE_DIR}/skin/ThemeFileFormat.h
  ${PROJECT_SOURCE_DIR}/framework/BitmapFile.h
  ${PROJECT_SOURCE_DIR}/framework/LittleEndian.h
  ${PROJECT_SOURCE_DIR}/skin/ThemeItems.h)
add_custom_command(
  OUTPUT ${fuzz_binary}
  COMMAND ${VORLINDE_FUZZ_CXX} -std=c++20 -g -O1 -Wall -Wextra -Wshadow
          -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
          -I${PROJECT_SOURCE_DIR} ${fuzz_sources} -o ${fuzz_binary}
  DEPENDS ${fuzz_sources} ${fuzz_headers}
  COMMENT "Building the theme file fuzzer (host clang, libFuzzer)"
  VERBATIM)
add_custom_target(theme_file_fuzzer ALL DEPENDS ${fuzz_binary})

# New inputs go to the build folder's corpus; the committed seeds are only read. Crash and
# timeout artifacts land in the build folder too.
add_test(NAME ThemeFileFuzz
  COMMAND ${fuzz_binary} -max_total_time=${VORLINDE_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=1024
          -artifact_prefix=${fuzz_dir}/ -print_final_stats=1 ${fuzz_dir}/corpus ${fuzz_corpus})
set_tests_properties(ThemeFileFuzz PROPERTIES TIMEOUT 300)
