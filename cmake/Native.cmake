# Native tree: the portable core, its tests, the artwork generator and the fuzz targets.
add_executable(quorvel-artwork ${CMAKE_SOURCE_DIR}/res/ArtworkGenerator.cpp)
target_link_libraries(quorvel-artwork PRIVATE quorvel_core)
target_compile_options(quorvel-artwork PRIVATE ${QUORVEL_WARNINGS})

# The pictures go into the program packed (.qpk beside each .bmp).
add_executable(quorvel-artpack ${CMAKE_SOURCE_DIR}/res/ArtPacker.cpp)
target_link_libraries(quorvel-artpack PRIVATE quorvel_core)
target_compile_options(quorvel-artpack PRIVATE ${QUORVEL_WARNINGS})

set(QUORVEL_ART_OUT ${CMAKE_BINARY_DIR}/art)
add_custom_command(
  OUTPUT ${QUORVEL_ART_OUT}/stamp
  COMMAND quorvel-artwork ${QUORVEL_ART_OUT}
  COMMAND quorvel-artpack ${QUORVEL_ART_OUT}
  COMMAND ${CMAKE_COMMAND} -E touch ${QUORVEL_ART_OUT}/stamp
  DEPENDS quorvel-artwork quorvel-artpack
  COMMENT "Drawing the artwork")
add_custom_target(artwork ALL DEPENDS ${QUORVEL_ART_OUT}/stamp)

# The help compiler and the help file it writes from res/help; the Windows trees copy the file
# beside their programs.
add_library(quorvel_helpc STATIC ${CMAKE_SOURCE_DIR}/src/tools/helpc/HelpWriter.cpp
                                 ${CMAKE_SOURCE_DIR}/src/tools/helpc/HelpSource.cpp)
target_include_directories(quorvel_helpc PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(quorvel_helpc PRIVATE ${QUORVEL_WARNINGS})
add_executable(quorvel-helpc ${CMAKE_SOURCE_DIR}/src/tools/helpc/HelpcMain.cpp)
target_link_libraries(quorvel-helpc PRIVATE quorvel_helpc)
target_compile_options(quorvel-helpc PRIVATE ${QUORVEL_WARNINGS})

set(QUORVEL_HELP_SOURCE ${CMAKE_SOURCE_DIR}/res/help/Quorvel.help.txt)
add_custom_command(
  OUTPUT ${QUORVEL_ART_OUT}/Quorvel.hlp
  # The folder may not be there yet: the artwork that also lives in it can still be building.
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVEL_ART_OUT}
  COMMAND quorvel-helpc ${QUORVEL_HELP_SOURCE} ${QUORVEL_ART_OUT}/Quorvel.hlp
  DEPENDS quorvel-helpc ${QUORVEL_HELP_SOURCE}
  COMMENT "Writing the help file")
add_custom_target(helpfile ALL DEPENDS ${QUORVEL_ART_OUT}/Quorvel.hlp)

# Holds the Windows programs' import tables against docs/windows-imports.txt (the Windows trees' test).
add_executable(quorvel-importcheck ${CMAKE_SOURCE_DIR}/tests/tools/ImportCheck.cpp)
target_compile_options(quorvel-importcheck PRIVATE ${QUORVEL_WARNINGS})

if(QUORVEL_TESTS)
  file(GLOB QUORVEL_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
  add_executable(quorvel_native_tests ${QUORVEL_NATIVE_TESTS})
  target_link_libraries(quorvel_native_tests PRIVATE quorvel_core quorvel_helpc gmock gtest_main)
  target_include_directories(quorvel_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(quorvel_native_tests PRIVATE ${QUORVEL_WARNINGS})

  # Every fuzz target is built into the tests too, its entry point renamed, so that the tests can
  # replay the seeds and the inputs of past crashes through the very checks the fuzzer runs.
  file(GLOB QUORVEL_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  set(QUORVEL_FUZZ_DECLS "")
  set(QUORVEL_FUZZ_ENTRIES "")
  foreach(f IN LISTS QUORVEL_FUZZ_SOURCES)
    get_filename_component(name ${f} NAME_WE)
    set_source_files_properties(${f} PROPERTIES COMPILE_DEFINITIONS
      "LLVMFuzzerTestOneInput=QuorvelFuzz${name};QUORVEL_FUZZ_REPLAY")
    string(APPEND QUORVEL_FUZZ_DECLS "extern \"C\" int QuorvelFuzz${name}(const uint8_t*, size_t);\n")
    string(APPEND QUORVEL_FUZZ_ENTRIES "    {\"${name}\", QuorvelFuzz${name}},\n")
  endforeach()
  configure_file(${CMAKE_SOURCE_DIR}/tests/native/FuzzTargets.cpp.in ${CMAKE_BINARY_DIR}/FuzzTargets.cpp @ONLY)
  target_sources(quorvel_native_tests PRIVATE ${QUORVEL_FUZZ_SOURCES} ${CMAKE_BINARY_DIR}/FuzzTargets.cpp)
  target_include_directories(quorvel_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/native)
  # A target may read its input through libFuzzer's FuzzedDataProvider, a plain header that g++
  # compiles too; it comes with clang.
  file(GLOB QUORVEL_FDP_HEADERS /usr/lib/llvm-*/lib/clang/*/include/fuzzer/FuzzedDataProvider.h)
  # Only that header is copied: clang's own include folder would shadow g++'s.
  if(QUORVEL_FDP_HEADERS)
    list(GET QUORVEL_FDP_HEADERS 0 fdp)
    configure_file(${fdp} ${CMAKE_BINARY_DIR}/fuzz-include/fuzzer/FuzzedDataProvider.h COPYONLY)
    target_include_directories(quorvel_native_tests SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/fuzz-include)
  endif()
  target_compile_definitions(quorvel_native_tests PRIVATE QUORVEL_FUZZ_DIR="${CMAKE_SOURCE_DIR}/tests/fuzz")
  include(GoogleTest)
  gtest_discover_tests(quorvel_native_tests DISCOVERY_TIMEOUT 60)
endif()

if(QUORVEL_FUZZ)
  # The fuzzers exercise the core, so the core is instrumented too: a read past a buffer inside it
  # would otherwise go unseen.
  # An undefined-behaviour finding stops the run like a crash, instead of a line in the log.
  set(QUORVEL_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  target_compile_options(quorvel_core PRIVATE -fsanitize=fuzzer-no-link ${QUORVEL_SANITIZERS} -g)
  target_link_options(quorvel_core INTERFACE ${QUORVEL_SANITIZERS})
  file(GLOB QUORVEL_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(f IN LISTS QUORVEL_FUZZERS)
    get_filename_component(name ${f} NAME_WE)
    add_executable(${name} ${f})
    target_link_libraries(${name} PRIVATE quorvel_core)
    # The fakes of the native tests (registry, print surface) serve the fuzzers too.
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tests/native)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${QUORVEL_SANITIZERS} -g)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer ${QUORVEL_SANITIZERS})
    list(APPEND QUORVEL_FUZZ_TARGETS ${name})
  endforeach()
  add_custom_target(fuzzers DEPENDS ${QUORVEL_FUZZ_TARGETS})
endif()
