# A reader's fuzz target, declared once beside the reader:
#
#   brawnmoor_fuzzer(<name> SOURCES files... LIBRARIES targets... [INCLUDES folders...]
#                    SEEDS files-or-folders...)
#
# With BRAWNMOOR_FUZZ (clang; tools/fuzz.sh) it is the libFuzzer program brawnmoor-<name>-fuzz,
# and build-fuzz/fuzzers/<name>.seeds lists where its starting corpus comes from: the SEEDS and
# the folder regressions/<name> beside the target, which keeps every input that once failed.
# In a build with tests it is brawnmoor-<name>-replay instead: the same entry function under the
# standalone main of tools/fuzz/replay.cpp, which CTest runs as fuzz.<name> over the same inputs.
function(brawnmoor_fuzzer name)
  cmake_parse_arguments(FZ "" "" "SOURCES;LIBRARIES;INCLUDES;SEEDS" ${ARGN})
  set(inputs ${CMAKE_CURRENT_SOURCE_DIR}/regressions/${name} ${FZ_SEEDS})
  if(BRAWNMOOR_FUZZ)
    add_executable(brawnmoor-${name}-fuzz ${FZ_SOURCES})
    target_compile_options(brawnmoor-${name}-fuzz PRIVATE -fsanitize=fuzzer)
    target_link_options(brawnmoor-${name}-fuzz PRIVATE -fsanitize=fuzzer)
    target_link_libraries(brawnmoor-${name}-fuzz PRIVATE ${FZ_LIBRARIES})
    target_include_directories(brawnmoor-${name}-fuzz PRIVATE ${FZ_INCLUDES})
    add_dependencies(brawnmoor-${name}-fuzz brawnmoor_data)
    list(JOIN inputs "\n" lines)
    file(WRITE ${CMAKE_BINARY_DIR}/fuzzers/${name}.seeds "${lines}\n")
  elseif(BRAWNMOOR_TESTS)
    add_executable(brawnmoor-${name}-replay ${FZ_SOURCES} ${CMAKE_SOURCE_DIR}/tools/fuzz/replay.cpp)
    target_link_libraries(brawnmoor-${name}-replay PRIVATE ${FZ_LIBRARIES})
    target_include_directories(brawnmoor-${name}-replay PRIVATE ${FZ_INCLUDES})
    add_dependencies(brawnmoor-${name}-replay brawnmoor_data)
    # The folder of kept findings is left out while there is none.
    set(present ${FZ_SEEDS})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/regressions/${name})
      list(PREPEND present ${CMAKE_CURRENT_SOURCE_DIR}/regressions/${name})
    endif()
    add_test(NAME fuzz.${name} COMMAND brawnmoor-${name}-replay ${present})
    # In a sanitizer build an allocation of more than 1 GB fails the replay, as it fails a fuzzer
    # run (tools/fuzz.sh): a damaged file must not make a reader ask for that much.
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz_replay ENVIRONMENT
        "SDL_AUDIODRIVER=dummy;SDL_VIDEODRIVER=offscreen;ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:max_allocation_size_mb=1024")
  endif()
endfunction()
