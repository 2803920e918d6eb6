# Windows tree (cross-built with MinGW-w64): the two programs and the tests that run under Wine.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
set(QUORVEL_WIN_LIBS user32 gdi32 advapi32 comctl32 comdlg32 winspool shell32 winmm wsock32 netapi32 msimg32 ole32)
# Symbols for the separate debug files; the shipped programs are stripped after linking.
add_compile_options(-g)

add_library(quorvel_win STATIC ${QUORVEL_WIN_SOURCES})
target_include_directories(quorvel_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(quorvel_win PUBLIC quorvel_core ${QUORVEL_WIN_LIBS})
target_compile_options(quorvel_win PRIVATE ${QUORVEL_WARNINGS})

if(NOT QUORVEL_ART_DIR)
  message(FATAL_ERROR "QUORVEL_ART_DIR must name the native tree's art folder (scripts/build sets it)")
endif()
configure_file(${CMAKE_SOURCE_DIR}/res/Quorvel.rc.in ${CMAKE_BINARY_DIR}/Quorvel.rc @ONLY)
# The resources change whenever the artwork is drawn again.
set_source_files_properties(${CMAKE_BINARY_DIR}/Quorvel.rc PROPERTIES OBJECT_DEPENDS ${QUORVEL_ART_DIR}/stamp)
set(CMAKE_RC_FLAGS "-I${QUORVEL_ART_DIR} -I${CMAKE_SOURCE_DIR}/res -I${CMAKE_SOURCE_DIR}/src")
enable_language(RC)

set(QUORVEL_LINK -static -static-libgcc -static-libstdc++)

# Ships stripped; the symbols go to NAME.exe.debug beside it, which debuggers find through the link
# left in the program.
function(quorvel_split_symbols target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
add_executable(Quorvel WIN32 ${CMAKE_SOURCE_DIR}/src/app/Main_win32.cpp ${CMAKE_BINARY_DIR}/Quorvel.rc)
target_link_libraries(Quorvel PRIVATE quorvel_win)
target_link_options(Quorvel PRIVATE ${QUORVEL_LINK} -mwindows)
target_compile_options(Quorvel PRIVATE ${QUORVEL_WARNINGS})

set_target_properties(Quorvel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
quorvel_split_symbols(Quorvel)

if(EXISTS ${CMAKE_SOURCE_DIR}/src/tools/ReportMain_win32.cpp)
  # The report tool draws nothing: its resources are the icon alone.
  add_executable(quorvel-report ${CMAKE_SOURCE_DIR}/src/tools/ReportMain_win32.cpp ${CMAKE_SOURCE_DIR}/res/QuorvelReport.rc)
  target_link_libraries(quorvel-report PRIVATE quorvel_win)
  target_link_options(quorvel-report PRIVATE ${QUORVEL_LINK})
  target_compile_options(quorvel-report PRIVATE ${QUORVEL_WARNINGS})
  set_target_properties(quorvel-report PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  quorvel_split_symbols(quorvel-report)
endif()

# The help file, written by the native tree next to the artwork, goes beside the program: Help opens
# the program's own name with ".hlp".
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Quorvel.hlp
  COMMAND ${CMAKE_COMMAND} -E copy ${QUORVEL_ART_DIR}/Quorvel.hlp ${CMAKE_BINARY_DIR}/Quorvel.hlp
  DEPENDS ${QUORVEL_ART_DIR}/Quorvel.hlp
  COMMENT "Copying the help file")
add_custom_target(helpfile ALL DEPENDS ${CMAKE_BINARY_DIR}/Quorvel.hlp)

# Yardsticks for scripts/bench, built only on request and never shipped: a bare popup of the
# window's size, and a console program that does nothing.
add_executable(bench-popup WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/BarePopup_win32.cpp)
target_link_options(bench-popup PRIVATE ${QUORVEL_LINK} -mwindows)
add_executable(bench-nothing EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/DoNothing_win32.cpp)
target_link_options(bench-nothing PRIVATE ${QUORVEL_LINK})
set_target_properties(bench-popup bench-nothing PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

if(QUORVEL_TESTS)
  set(QUORVEL_WINE ${CMAKE_SOURCE_DIR}/scripts/wine)
  file(GLOB QUORVEL_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
  add_executable(quorvel_win32_tests ${QUORVEL_WIN32_TESTS} ${CMAKE_BINARY_DIR}/Quorvel.rc)
  target_link_libraries(quorvel_win32_tests PRIVATE quorvel_win gmock gtest_main)
  target_include_directories(quorvel_win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(quorvel_win32_tests PRIVATE QUORVEL_ART_DIR="${QUORVEL_ART_DIR}")
  target_link_options(quorvel_win32_tests PRIVATE ${QUORVEL_LINK})
  set_target_properties(quorvel_win32_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  # The tests get a prefix of their own in this tree, made once, for a display without a window manager.
  set(QUORVEL_TEST_ENV "QUORVEL_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;QUORVEL_WINE_MANAGED=N")
  add_test(NAME win32_tests COMMAND ${QUORVEL_WINE} ${CMAKE_BINARY_DIR}/quorvel_win32_tests.exe)
  set_tests_properties(win32_tests PROPERTIES TIMEOUT 600 ENVIRONMENT "${QUORVEL_TEST_ENV}")

  # Reads the help viewer's caption and topic text for tests/e2e/help.sh.
  add_executable(quorvel-helptext ${CMAKE_SOURCE_DIR}/tests/tools/HelpText_win32.cpp)
  target_link_options(quorvel-helptext PRIVATE ${QUORVEL_LINK})
  target_compile_options(quorvel-helptext PRIVATE ${QUORVEL_WARNINGS})
  set_target_properties(quorvel-helptext PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # Draws a memo's lines in a plain edit for tests/e2e/memo.sh.
  add_executable(quorvel-memoref ${CMAKE_SOURCE_DIR}/tests/tools/MemoReference_win32.cpp)
  target_link_options(quorvel-memoref PRIVATE ${QUORVEL_LINK})
  set_target_properties(quorvel-memoref PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # Whole-program checks: each script drives the built programs under Wine.
  file(GLOB QUORVEL_E2E CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
  foreach(script IN LISTS QUORVEL_E2E)
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME e2e_${name} COMMAND bash ${script})
    set_tests_properties(e2e_${name} PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
      ENVIRONMENT "${QUORVEL_TEST_ENV};QUORVEL_BIN=${CMAKE_BINARY_DIR};QUORVEL_WINE=${QUORVEL_WINE};QUORVEL_SOURCE=${CMAKE_SOURCE_DIR}")
  endforeach()
endif()
