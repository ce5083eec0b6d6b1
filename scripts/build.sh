#!/usr/bin/env bash
# Builds one tree: host (the platform-free logic and its tests, natively, with the
# sanitizers), win-debug or win-release (Tessarin.exe and the Windows tests, MinGW i686).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?usage: build.sh host|win-debug|win-release}
jobs=$(nproc)
case $kind in
  host) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  # Both Windows trees share one set of private Wine environments (made once).
  win-debug) args=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Debug
                   -DTESSARIN_WINE_ROOT="$here/build/wine") ;;
  win-release) args=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
                     -DTESSARIN_WINE_ROOT="$here/build/wine") ;;
  *) echo "build.sh: unknown tree $kind" >&2; exit 2 ;;
esac
dir=$here/build/$kind
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$here" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" -j "$jobs" ${2:+--target "$2"}
