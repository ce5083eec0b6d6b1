# Windows build (MinGW-w64, i686): Tessarin.exe and the tests that run under Wine.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
set(TESSARIN_WIN_LIBS comdlg32 shell32 ole32 oleaut32 uuid advapi32 gdi32 user32 kernel32)

add_library(tessarin_core STATIC ${TESSARIN_CORE_SOURCES})
target_include_directories(tessarin_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(tessarin_core PRIVATE ${TESSARIN_WARNINGS})

# The rooms between core/ and program/ are the Win32 side of the program.
file(GLOB TESSARIN_WIN_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/typing/*.cpp ${PROJECT_SOURCE_DIR}/app/*.cpp
  ${PROJECT_SOURCE_DIR}/grid/*.cpp ${PROJECT_SOURCE_DIR}/fontbox/*.cpp ${PROJECT_SOURCE_DIR}/options/*.cpp
  ${PROJECT_SOURCE_DIR}/websafe/*.cpp ${PROJECT_SOURCE_DIR}/main/*.cpp)

add_library(tessarin_app STATIC ${TESSARIN_WIN_SOURCES})
target_compile_options(tessarin_app PRIVATE ${TESSARIN_WARNINGS})
# The targets of the options dialog's "&Website" and "&Mail" buttons; a button without
# one is disabled.
set(TESSARIN_WEB_SITE "" CACHE STRING "Web address opened by the options dialog's Website button")
set(TESSARIN_MAIL_ADDRESS "" CACHE STRING "Mail address the options dialog's Mail button writes to")
set_property(SOURCE ${PROJECT_SOURCE_DIR}/options/OptionsDialog.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  "TESSARIN_WEB_SITE=\"${TESSARIN_WEB_SITE}\"" "TESSARIN_MAIL_ADDRESS=\"${TESSARIN_MAIL_ADDRESS}\"")
target_link_libraries(tessarin_app PUBLIC tessarin_core ${TESSARIN_WIN_LIBS})

# The resource compiler does not report the files the script includes: a changed manifest,
# icon or bitmap must still rebuild the resources.
file(GLOB TESSARIN_RES_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/*.manifest ${PROJECT_SOURCE_DIR}/res/*.ico
  ${PROJECT_SOURCE_DIR}/res/*.bmp)
set_property(SOURCE res/Tessarin.rc APPEND PROPERTY OBJECT_DEPENDS ${TESSARIN_RES_FILES})
add_executable(Tessarin WIN32 program/Program.cpp res/Tessarin.rc)
target_compile_options(Tessarin PRIVATE ${TESSARIN_WARNINGS})
target_link_libraries(Tessarin PRIVATE tessarin_app)
target_link_options(Tessarin PRIVATE -static -s)
set_target_properties(Tessarin PROPERTIES OUTPUT_NAME Tessarin)
# The resources are compiled once more into a small object the in-process tests link,
# so that forms find their icon there too.
add_library(tessarin_res OBJECT res/Tessarin.rc)

# --- Tests under Wine ---------------------------------------------------------------
set(WINENV ${PROJECT_SOURCE_DIR}/scripts/winenv.sh)
set(TESSARIN_WINE_ROOT ${CMAKE_BINARY_DIR}/wine CACHE PATH "Where the private Wine environments live")
set(WINE_ROOT ${TESSARIN_WINE_ROOT})
set(TESSARIN_DEFAULT_SCREEN 1024x768)
set(TESSARIN_SCREENS_USED "" CACHE INTERNAL "")

function(tessarin_wine_fixture size)
  if(CMAKE_HOST_WIN32)
    return()
  endif()
  if(NOT size IN_LIST TESSARIN_SCREENS_USED)
    set(TESSARIN_SCREENS_USED ${TESSARIN_SCREENS_USED} ${size} CACHE INTERNAL "")
    add_test(NAME wine.${size}.start COMMAND ${WINENV} start ${size})
    add_test(NAME wine.${size}.stop COMMAND ${WINENV} stop ${size})
    set_tests_properties(wine.${size}.start PROPERTIES FIXTURES_SETUP wine_${size}
      ENVIRONMENT "TESSARIN_WINE_ROOT=${WINE_ROOT}" TIMEOUT 240)
    set_tests_properties(wine.${size}.stop PROPERTIES FIXTURES_CLEANUP wine_${size}
      ENVIRONMENT "TESSARIN_WINE_ROOT=${WINE_ROOT}")
  endif()
endfunction()

# One ctest entry per test program and screen size; the program runs in that screen's
# private Wine environment. A test file names its screens on a line "// screens: 640x480 …";
# WIDTHxHEIGHT@DPI is a screen at another scaling ("1920x1080@144": 150 %). A line
# "// locales: ru_RU.UTF-8 …" adds one more entry per system locale, on the first screen.
# A line "// runs alone" keeps every other test from running beside it: X and Wine hand the
# keyboard focus between programs in a race that a loaded machine may lose.
function(tessarin_wine_test name exe source)
  set(sizes ${TESSARIN_DEFAULT_SCREEN})
  set(locales "")
  set(alone FALSE)
  if(source)
    file(STRINGS ${source} line REGEX "^// runs alone")
    if(line)
      set(alone TRUE)
    endif()
    file(STRINGS ${source} line REGEX "^// screens:")
    if(line)
      string(REGEX REPLACE "^// screens:[ ]*" "" line "${line}")
      separate_arguments(sizes UNIX_COMMAND "${line}")
    endif()
    file(STRINGS ${source} line REGEX "^// locales:")
    if(line AND NOT CMAKE_HOST_WIN32)
      string(REGEX REPLACE "^// locales:[ ]*" "" line "${line}")
      separate_arguments(locales UNIX_COMMAND "${line}")
    endif()
  endif()
  foreach(size ${sizes})
    tessarin_wine_fixture(${size})
    list(LENGTH sizes count)
    set(test_name ${name})
    if(count GREATER 1)
      set(test_name ${name}.${size})
    endif()
    if(CMAKE_HOST_WIN32)
      # On Windows itself the tests run on the desktop there is, at its size.
      if(NOT size STREQUAL TESSARIN_DEFAULT_SCREEN)
        continue()
      endif()
      add_test(NAME ${test_name} COMMAND $<TARGET_FILE:${exe}>)
      set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK desktop
        ENVIRONMENT "TESSARIN_EXE=$<TARGET_FILE:Tessarin>")
      continue()
    endif()
    add_test(NAME ${test_name} COMMAND ${WINENV} exec ${size} $<TARGET_FILE:${exe}>)
    set(labels "")
    if(name MATCHES "^e2e\\.")
      set(labels release)
    endif()
    set_tests_properties(${test_name} PROPERTIES LABELS "${labels}"
      FIXTURES_REQUIRED wine_${size} RESOURCE_LOCK display_${size} TIMEOUT 300 RUN_SERIAL ${alone}
      ENVIRONMENT "TESSARIN_WINE_ROOT=${WINE_ROOT};TESSARIN_EXE=Z:$<TARGET_FILE:Tessarin>;TESSARIN_SCREEN=${size}")
  endforeach()
  list(GET sizes 0 size)
  foreach(locale ${locales})
    string(REGEX REPLACE "[.].*$" "" language "${locale}")
    set(test_name ${name}.${language})
    add_test(NAME ${test_name} COMMAND ${WINENV} exec ${size} $<TARGET_FILE:${exe}>)
    set_tests_properties(${test_name} PROPERTIES LABELS "${labels}"
      FIXTURES_REQUIRED wine_${size} RESOURCE_LOCK display_${size} TIMEOUT 300 RUN_SERIAL ${alone}
      ENVIRONMENT "TESSARIN_WINE_ROOT=${WINE_ROOT};TESSARIN_EXE=Z:$<TARGET_FILE:Tessarin>;TESSARIN_SCREEN=${size};TESSARIN_LOCALE=${locale}")
  endforeach()
endfunction()

# The platform-free logic tests, built by this compiler too, so that both compilers agree.
file(GLOB LOGIC_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/logic/*.cpp)
add_executable(logic_tests ${LOGIC_TEST_SOURCES})
target_compile_options(logic_tests PRIVATE ${TESSARIN_WARNINGS})
target_link_libraries(logic_tests PRIVATE tessarin_core gtest_main)
target_link_options(logic_tests PRIVATE -static)
tessarin_wine_test(win.logic logic_tests "")

# Shared helpers of the Windows tests (message pump with timeouts, window search, input).
file(GLOB TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
list(REMOVE_ITEM TEST_SUPPORT_SOURCES ${PROJECT_SOURCE_DIR}/tests/support/MainWindowFixture.cpp)
add_library(test_support STATIC ${TEST_SUPPORT_SOURCES})
target_include_directories(test_support PUBLIC ${PROJECT_SOURCE_DIR})
# The waits go through the toolkit's message loop, as the program's own do.
target_link_libraries(test_support PUBLIC gtest tessarin_app)
# The main-window fixture of the in-process tests, with the program's forms.
add_library(main_fixture STATIC ${PROJECT_SOURCE_DIR}/tests/support/MainWindowFixture.cpp)
target_link_libraries(main_fixture PUBLIC tessarin_app test_support)

# In-process component tests: the real forms and components, driven by real messages.
file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*.cpp)
foreach(src ${WIN_TEST_SOURCES})
  get_filename_component(stem ${src} NAME_WE)
  add_executable(win_${stem} ${src} $<TARGET_OBJECTS:tessarin_res>)
  target_compile_options(win_${stem} PRIVATE ${TESSARIN_WARNINGS})
  target_link_libraries(win_${stem} PRIVATE main_fixture tessarin_app test_support gtest_main)
  target_link_options(win_${stem} PRIVATE -static)
  tessarin_wine_test(win.${stem} win_${stem} ${src})
endforeach()

# DLLs named like system DLLs, planted beside a copy of the program by a test.
foreach(dll riched20 uxtheme comctl32)
  add_library(planted_${dll} SHARED tests/e2e/planted/PlantedDll.c)
  set_target_properties(planted_${dll} PROPERTIES PREFIX "" OUTPUT_NAME ${dll}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
  target_link_options(planted_${dll} PRIVATE -static)
endforeach()
add_executable(planted_probe tests/e2e/planted/Probe.c)
set_target_properties(planted_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
target_link_options(planted_probe PRIVATE -static)

# Another program for the hot-key test: one in front, or one holding the key first.
add_executable(hotkey_holder WIN32 tests/e2e/hotkey/HotKeyHolder.c)
target_link_options(hotkey_holder PRIVATE -static)

# End-to-end tests: Tessarin.exe in its own process, seen from outside.
file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
foreach(src ${E2E_TEST_SOURCES})
  get_filename_component(stem ${src} NAME_WE)
  add_executable(e2e_${stem} ${src})
  target_compile_options(e2e_${stem} PRIVATE ${TESSARIN_WARNINGS})
  target_link_libraries(e2e_${stem} PRIVATE test_support gtest_main oleacc)
  target_link_options(e2e_${stem} PRIVATE -static)
  add_dependencies(e2e_${stem} Tessarin planted_riched20 planted_uxtheme planted_comctl32 planted_probe
    hotkey_holder)
  tessarin_wine_test(e2e.${stem} e2e_${stem} ${src})
endforeach()

# The shipped file itself: a 32-bit PE importing only system DLLs, at most 1.5 MiB, with its
# manifest and version resources. Only the Release tree builds the file that ships; the
# Debug tree's, unoptimised, is larger.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  add_test(NAME exe.properties
    COMMAND python3 ${PROJECT_SOURCE_DIR}/scripts/check_exe.py $<TARGET_FILE:Tessarin>)
  set_tests_properties(exe.properties PROPERTIES LABELS release)
endif()

# Benchmarks are built with the program and run by scripts/bench.sh, never by ctest.
# Each carries the program's manifest (visual styles, DPI awareness), so that the windows
# it makes are the ones the program shows.
# The start-up floor: Tessarin's windows with no logic, beside the start-up benchmark.
add_executable(bench_bare WIN32 bench/bare/BareStartup.cpp $<TARGET_OBJECTS:tessarin_res>)
target_link_libraries(bench_bare PRIVATE comctl32 gdi32 user32)
target_link_options(bench_bare PRIVATE -static)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*.cpp)
foreach(src ${BENCH_SOURCES})
  get_filename_component(stem ${src} NAME_WE)
  add_executable(bench_${stem} ${src} $<TARGET_OBJECTS:tessarin_res>)
  target_compile_options(bench_${stem} PRIVATE ${TESSARIN_WARNINGS})
  target_link_libraries(bench_${stem} PRIVATE tessarin_app)
  target_link_options(bench_${stem} PRIVATE -static)
endforeach()
