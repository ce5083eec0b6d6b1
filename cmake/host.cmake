# Native build: the platform-free logic and its tests, under AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(tessarin_core STATIC ${TESSARIN_CORE_SOURCES})
target_include_directories(tessarin_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(tessarin_core PRIVATE ${TESSARIN_WARNINGS} ${SANITIZE})
target_link_options(tessarin_core PUBLIC ${SANITIZE})

file(GLOB LOGIC_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/logic/*.cpp)
add_executable(logic_tests ${LOGIC_TEST_SOURCES})
target_compile_options(logic_tests PRIVATE ${TESSARIN_WARNINGS} ${SANITIZE})
target_link_libraries(logic_tests PRIVATE tessarin_core gtest_main)

include(GoogleTest)
gtest_discover_tests(logic_tests TEST_PREFIX "host." DISCOVERY_TIMEOUT 60)

# The search benchmark, natively as well as under Wine: optimised, without the sanitizers, built
# only when asked for (scripts/bench.sh unicode_search).
add_executable(bench_unicode_search EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/unicode_search.cpp
  ${TESSARIN_CORE_SOURCES})
target_include_directories(bench_unicode_search PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(bench_unicode_search PRIVATE ${TESSARIN_WARNINGS} -O2)
