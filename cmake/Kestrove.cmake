# Build conventions shared by every folder: warnings, sanitizers, test programs and fuzz targets.

add_compile_options(-Wall -Wextra)

if(KESTROVE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KESTROVE_FUZZ)
  # Every library is instrumented for coverage; only the fuzz programs get libFuzzer's main.
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # No variable of the program is initialised by code that runs before main: a table copied from a value
  # that another source file initialises at start-up can be filled first, in whatever order this compiler
  # starts the files in (it left the standard pointer shapes without their ids). Clang names each such
  # variable as it compiles its file, and scripts/fuzz fails the build on any.
  add_compile_options(-Wglobal-constructors)
  # Every fuzz program, without the program and tools that a fuzzing build would also make.
  add_custom_target(fuzzers)
endif()

# kestrove_program(<name> SOURCES ... LIBS ...)
# One of the project's programs (the program itself, its language-file writer, the tools). A fuzzing build only
# compiles its sources, as part of the fuzzers target: it links and runs none of them there, but clang's
# -Wglobal-constructors looks at every source of every program, not only at what the fuzz programs link.
function(kestrove_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(KESTROVE_FUZZ)
    add_library(${name} OBJECT ${ARG_SOURCES})
    add_dependencies(fuzzers ${name})
  else()
    add_executable(${name} ${ARG_SOURCES})
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# kestrove_tests(<folder label> SOURCES ... LIBS ...)
# One test program per folder, named <label>_tests; ctest discovers each case under the folder's label.
function(kestrove_tests label)
  if(KESTROVE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(target ${label}_tests)
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main kestrove_test_pictures)
  # Tests never open a window on the developer's display: the desktop stays in memory.
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${label} ENVIRONMENT KESTROVE_HEADLESS=1
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# kestrove_fuzz(<name> SOURCE <file> CORPUS <dir> LABEL <folder label> LIBS ...)
# With KESTROVE_FUZZ a libFuzzer program in <build>/fuzzers; otherwise a plain program that replays the
# seed corpus, run by ctest under the folder's label and "fuzz".
function(kestrove_fuzz name)
  cmake_parse_arguments(ARG "" "SOURCE;CORPUS;LABEL" "LIBS" ${ARGN})
  get_filename_component(corpus ${ARG_CORPUS} ABSOLUTE)
  if(KESTROVE_FUZZ)
    add_executable(${name} ${ARG_SOURCE})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
    add_dependencies(fuzzers ${name})
    file(WRITE ${CMAKE_BINARY_DIR}/fuzzers/${name}.corpus "${corpus}\n")
  else()
    add_executable(${name}_replay ${ARG_SOURCE})
    target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS} kestrove_fuzz_replay)
    add_test(NAME fuzz.${name} COMMAND ${name}_replay ${corpus})
    set_tests_properties(fuzz.${name} PROPERTIES LABELS "${ARG_LABEL};fuzz")
  endif()
endfunction()

# kestrove_bench(<name> SOURCES ... LIBS ...)
# A Google Benchmark program in <build>/bench; not run by ctest. A fuzzing build compiles its sources as it
# does a program's, for clang's look at code run before main.
function(kestrove_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  kestrove_program(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS} benchmark::benchmark)
endfunction()
