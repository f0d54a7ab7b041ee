# The fuzz targets (fuzz/<name>.cpp, built as fuzz_<name>) and their smoke
# tests. Included by the fuzz build and by the program's test build, which
# runs the smoke tests of a fuzz build named by TV_FUZZ_BUILD.
set(TV_FUZZ_TARGETS cp1252 data_files code_check article_file settings editor_save)
set(TV_FUZZ_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

# One test per target, label "fuzz": every checked-in input of the target is
# run once, then the target is fuzzed for `seconds` from its corpus.
function(tv_add_fuzz_smoke_tests fuzz_build seconds)
  foreach(target ${TV_FUZZ_TARGETS})
    add_test(NAME fuzz_${target}
      COMMAND sh ${TV_FUZZ_SOURCE_DIR}/smoke.sh ${fuzz_build}/fuzz_${target} ${seconds}
        ${TV_FUZZ_SOURCE_DIR} ${target} ${CMAKE_CURRENT_BINARY_DIR}/fuzz-smoke/${target})
    set_tests_properties(fuzz_${target} PROPERTIES LABELS fuzz TIMEOUT 120)
  endforeach()
endfunction()
