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

if(QUORVEL_TESTS)
  file(GLOB QUORVEL_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
  add_executable(quorvel_native_tests ${QUORVEL_NATIVE_TESTS})
  target_link_libraries(quorvel_native_tests PRIVATE quorvel_core gmock gtest_main)
  target_include_directories(quorvel_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(quorvel_native_tests PRIVATE ${QUORVEL_WARNINGS})
  include(GoogleTest)
  gtest_discover_tests(quorvel_native_tests DISCOVERY_TIMEOUT 60)
endif()

if(QUORVEL_FUZZ)
  # The fuzzers exercise the core, so the core is instrumented too: a read past a buffer inside it
  # would otherwise go unseen.
  target_compile_options(quorvel_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined -g)
  target_link_options(quorvel_core INTERFACE -fsanitize=address,undefined)
  file(GLOB QUORVEL_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(f IN LISTS QUORVEL_FUZZERS)
    get_filename_component(name ${f} NAME_WE)
    add_executable(${name} ${f})
    target_link_libraries(${name} PRIVATE quorvel_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -g)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()
