# Windows tree (cross-built with MinGW-w64): the two programs and the tests that run under Wine.
# The version the headers offer (95 and NT 4) is set by src/ui/Win.h, the one way <windows.h> comes in.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
set(QUORVEL_WIN_LIBS user32 gdi32 advapi32 comctl32 comdlg32 winspool shell32 winmm wsock32 netapi32 ole32)
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
# The manifest carries the program's version, read from the one header that holds it.
file(STRINGS ${CMAKE_SOURCE_DIR}/src/fields/ProgramIdentity.h QUORVEL_IDENTITY REGEX "#define QUORVEL_VERSION_(MAJOR|MINOR) ")
string(REGEX REPLACE ".*MAJOR ([0-9]+).*" "\\1" QUORVEL_VERSION_MAJOR "${QUORVEL_IDENTITY}")
string(REGEX REPLACE ".*MINOR ([0-9]+).*" "\\1" QUORVEL_VERSION_MINOR "${QUORVEL_IDENTITY}")
configure_file(${CMAKE_SOURCE_DIR}/res/Quorvel.manifest.in ${CMAKE_BINARY_DIR}/Quorvel.manifest @ONLY)
# The resources change whenever the artwork is drawn again, and with the manifest and version
# resource both programs include (files the dependency scanner does not follow).
set(QUORVEL_RC_DEPENDS ${QUORVEL_ART_DIR}/stamp ${CMAKE_BINARY_DIR}/Quorvel.manifest
    ${CMAKE_SOURCE_DIR}/res/ProgramInfo.rc ${CMAKE_SOURCE_DIR}/src/fields/ProgramIdentity.h)
set_source_files_properties(${CMAKE_BINARY_DIR}/Quorvel.rc ${CMAKE_SOURCE_DIR}/res/QuorvelReport.rc
  PROPERTIES OBJECT_DEPENDS "${QUORVEL_RC_DEPENDS}")
set(CMAKE_RC_FLAGS "-I${QUORVEL_ART_DIR} -I${CMAKE_BINARY_DIR} -I${CMAKE_SOURCE_DIR}/res -I${CMAKE_SOURCE_DIR}/src")
enable_language(RC)

# No link time in the PE header: two builds of the same sources give the same bytes.
set(QUORVEL_LINK -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)

# Ships stripped; the symbols go to NAME.exe.debug beside it, which debuggers find through the link
# left in the program. objcopy writes the current time into the PE header it rewrites unless
# SOURCE_DATE_EPOCH names one: 0, like the linker's.
function(quorvel_split_symbols target)
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
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
  # The report tool draws nothing: its resources are the icon, the version resource and the manifest.
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

# What both programs import from Windows, against the hand-kept list; the checker is a native program
# of the native tree (beside the artwork folder), so this runs in every Windows tree, without Wine.
get_filename_component(QUORVEL_NATIVE_DIR ${QUORVEL_ART_DIR} DIRECTORY)
add_test(NAME imports COMMAND bash ${CMAKE_SOURCE_DIR}/tests/imports.sh ${QUORVEL_NATIVE_DIR}/quorvel-importcheck
         ${CMAKE_SOURCE_DIR}/docs/windows-imports.txt $<TARGET_FILE:Quorvel> $<TARGET_FILE:quorvel-report>)

# Yardsticks for scripts/bench, built only on request and never shipped: a bare popup of the
# window's size, and a console program that does nothing.
add_executable(bench-popup WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/BarePopup_win32.cpp)
target_link_options(bench-popup PRIVATE ${QUORVEL_LINK} -mwindows)
add_executable(bench-nothing EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/DoNothing_win32.cpp)
target_link_options(bench-nothing PRIVATE ${QUORVEL_LINK})
set_target_properties(bench-popup bench-nothing PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

if(QUORVEL_TESTS)
  # The win32 thread model's library has no std::mutex, on which GoogleTest builds one class; ours
  # stands in, the same for every target that includes GoogleTest's headers.
  target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
  target_compile_options(gtest PUBLIC -include ${CMAKE_SOURCE_DIR}/tests/win32/GTestNotification.h)
  set(QUORVEL_WINE ${CMAKE_SOURCE_DIR}/scripts/wine)
  file(GLOB QUORVEL_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
  add_executable(quorvel_win32_tests ${QUORVEL_WIN32_TESTS} ${CMAKE_BINARY_DIR}/Quorvel.rc)
  # version: the program-file test reads the programs' version resources.
  target_link_libraries(quorvel_win32_tests PRIVATE quorvel_win gmock gtest_main version)
  target_include_directories(quorvel_win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  # The shipped 32-bit tree, whose program files a 64-bit test run reads too.
  get_filename_component(QUORVEL_TREES ${CMAKE_BINARY_DIR} DIRECTORY)
  target_compile_definitions(quorvel_win32_tests PRIVATE QUORVEL_ART_DIR="${QUORVEL_ART_DIR}"
    QUORVEL_SHIPPED_DIR="${QUORVEL_TREES}/win32")
  target_link_options(quorvel_win32_tests PRIVATE ${QUORVEL_LINK})
  set_target_properties(quorvel_win32_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  # Each Windows test runs alone (tests/e2e/isolated): its own virtual display, and its own Wine prefix
  # made from this tree's prepared one (made once, for a display without a window manager). So
  # they run side by side: scripts/test runs them with ctest -j.
  set(QUORVEL_ISOLATED bash ${CMAKE_SOURCE_DIR}/tests/e2e/isolated)
  set(QUORVEL_TEST_ENV "QUORVEL_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;QUORVEL_WINE_MANAGED=N;QUORVEL_BIN=${CMAKE_BINARY_DIR}")
  add_test(NAME win32_tests COMMAND ${QUORVEL_ISOLATED} win32_tests ${QUORVEL_WINE} ${CMAKE_BINARY_DIR}/quorvel_win32_tests.exe)
  set_tests_properties(win32_tests PROPERTIES TIMEOUT 600 ENVIRONMENT "${QUORVEL_TEST_ENV}" COST 30)

  # Reads the help viewer's caption and topic text for tests/e2e/help.sh.
  add_executable(quorvel-helptext ${CMAKE_SOURCE_DIR}/tests/tools/HelpText_win32.cpp)
  target_link_options(quorvel-helptext PRIVATE ${QUORVEL_LINK})
  target_compile_options(quorvel-helptext PRIVATE ${QUORVEL_WARNINGS})
  set_target_properties(quorvel-helptext PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # Draws the registered names as a program made for the system's language would, for
  # tests/e2e/codepage.sh.
  add_executable(quorvel-regtext ${CMAKE_SOURCE_DIR}/tests/tools/RegisteredText_win32.cpp)
  target_link_libraries(quorvel-regtext PRIVATE advapi32 gdi32 user32)
  target_link_options(quorvel-regtext PRIVATE ${QUORVEL_LINK})
  target_compile_options(quorvel-regtext PRIVATE ${QUORVEL_WARNINGS})
  set_target_properties(quorvel-regtext PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # Reads the window's accessible tree as a screen reader does, for tests/e2e/accessible.sh.
  add_executable(quorvel-acctree ${CMAKE_SOURCE_DIR}/tests/tools/AccessibleTree_win32.cpp)
  target_link_libraries(quorvel-acctree PRIVATE oleacc ole32 oleaut32)
  target_link_options(quorvel-acctree PRIVATE ${QUORVEL_LINK})
  target_compile_options(quorvel-acctree PRIVATE ${QUORVEL_WARNINGS})
  set_target_properties(quorvel-acctree PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # Draws a memo's lines in a plain edit for tests/e2e/memo.sh.
  add_executable(quorvel-memoref ${CMAKE_SOURCE_DIR}/tests/tools/MemoReference_win32.cpp)
  target_link_options(quorvel-memoref PRIVATE ${QUORVEL_LINK})
  set_target_properties(quorvel-memoref PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

  # Whole-program checks: each script drives the built programs under Wine.
  file(GLOB QUORVEL_E2E CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
  foreach(script IN LISTS QUORVEL_E2E)
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME e2e_${name} COMMAND ${QUORVEL_ISOLATED} e2e_${name} bash ${script})
    set_tests_properties(e2e_${name} PROPERTIES TIMEOUT 300
      ENVIRONMENT "${QUORVEL_TEST_ENV};QUORVEL_WINE=${QUORVEL_WINE};QUORVEL_SOURCE=${CMAKE_SOURCE_DIR}")
  endforeach()
  # The longest first, so that the short ones fill in beside them.
  foreach(cost IN ITEMS print:90 codepage:50 dpi:45 probes_wine:40 memo:35 help_win64:25 names:20 fallbacks:15)
    string(REPLACE ":" ";" cost "${cost}")
    list(GET cost 0 name)
    list(GET cost 1 seconds)
    if(TEST e2e_${name})
      set_tests_properties(e2e_${name} PROPERTIES COST ${seconds})
    endif()
  endforeach()
  # Five print jobs, each a round trip through the spooler.
  if(TEST e2e_print)
    set_tests_properties(e2e_print PROPERTIES TIMEOUT 600)
  endif()
  # Linking the programs again while others run them would pull them from under those tests.
  if(TEST e2e_package)
    set_tests_properties(e2e_package PROPERTIES RUN_SERIAL TRUE)
  endif()
endif()
