# The platform-free logic is the one folder core/: no <windows.h> in any of its files, so that
# the native host build compiles it whole (and the logic tests run it under the sanitizers).
file(GLOB_RECURSE TESSARIN_CORE_SOURCES CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/core/*.cpp)
