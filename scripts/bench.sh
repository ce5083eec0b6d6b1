#!/usr/bin/env bash
# Builds the Release tree of Tessarin.exe and the benchmarks, and runs every benchmark in a
# private Wine environment of its own, which it stops again at the end.
#
#   scripts/bench.sh [NAME…]    run bench/NAME.cpp only (default: every bench/*.cpp)
#
# With TESSARIN_BENCH_EARLIER=/path/to/an/earlier/Tessarin.exe the start-up benchmark runs
# that build too, in the same rounds, and gives this build's start-up as a ratio to it.
#
# Each benchmark program gets the path of Tessarin.exe as its first argument and prints
# its figures as ratios against a baseline it measures in the same run. The Wine
# environment lives under $TESSARIN_BENCH_WINE_ROOT (default build/win-release/bench-wine),
# apart from the tests' environments, so that a test run never stops it halfway.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build/win-release
size=1024x768

if [ -x "$repo/scripts/setup.sh" ]; then
  "$repo/scripts/setup.sh"
fi
missing=()
for tool in cmake ninja i686-w64-mingw32-g++-posix wine wineserver Xvfb; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "bench: missing ${missing[*]}; install the packages first (scripts/setup.sh)" >&2
  exit 2
fi

if [ $# -gt 0 ]; then
  names=("$@")
else
  names=()
  for src in "$repo"/bench/*.cpp; do
    [ -e "$src" ] && names+=("$(basename "$src" .cpp)")
  done
fi
if [ ${#names[@]} -eq 0 ]; then
  echo "bench: no benchmarks in $repo/bench" >&2
  exit 0
fi
targets=(Tessarin)
for name in "${names[@]}"; do
  [ -f "$repo/bench/$name.cpp" ] || { echo "bench: no bench/$name.cpp" >&2; exit 2; }
  targets+=("bench_$name")
  [ "$name" = startup ] && targets+=(bench_bare)
done

# Only what the benchmarks run: the test programs and GoogleTest stay out of it.
for target in "${targets[@]}"; do
  "$repo/scripts/build.sh" win-release "$target"
done

export TESSARIN_WINE_ROOT=${TESSARIN_BENCH_WINE_ROOT:-$build/bench-wine}
winenv=$repo/scripts/winenv.sh
# The font list benchmark wants many installed fonts: it runs in an environment of its own
# whose prefix also holds the Noto and DejaVu fonts, so the other benchmarks keep theirs.
fonts_root=$TESSARIN_WINE_ROOT-fonts
trap '"$winenv" stop "$size" >/dev/null 2>&1 || true
      "$winenv" stop "$size+unicode" >/dev/null 2>&1 || true
      TESSARIN_WINE_ROOT=$fonts_root "$winenv" stop "$size" >/dev/null 2>&1 || true' EXIT
"$winenv" start "$size"

# The scan of the fonts reads a large set of its own, fetched once with apt-get download and
# unpacked under the benchmark's root, never installed: the prefix's Fonts folder gets them.
scan_root=$TESSARIN_WINE_ROOT-scan
scan_packages=(fonts-noto-core fonts-noto-extra fonts-noto-ui-core fonts-noto-ui-extra fonts-noto-mono
  fonts-dejavu-core fonts-dejavu-extra fonts-freefont-ttf fonts-symbola fonts-unifont)
fetch_scan_fonts() {
  local dir=$scan_root/font-files
  if [ ! -f "$dir/.ready" ]; then
    rm -rf "$dir"
    mkdir -p "$dir/debs" "$dir/unpacked"
    ( cd "$dir/debs" && apt-get download "${scan_packages[@]}" >/dev/null 2>&1 ) ||
      { echo "bench: apt-get download ${scan_packages[*]} failed" >&2; return 1; }
    for deb in "$dir"/debs/*.deb; do dpkg-deb -x "$deb" "$dir/unpacked"; done
    touch "$dir/.ready"
  fi
  echo "$dir/unpacked"
}
trap '"$winenv" stop "$size" >/dev/null 2>&1 || true
      "$winenv" stop "$size+unicode" >/dev/null 2>&1 || true
      TESSARIN_WINE_ROOT=$fonts_root "$winenv" stop "$size" >/dev/null 2>&1 || true
      TESSARIN_WINE_ROOT=$scan_root "$winenv" stop "$size" >/dev/null 2>&1 || true' EXIT

tessarin=$build/Tessarin.exe
tessarin_dos="Z:${tessarin//\//\\}"
status=0
for name in "${names[@]}"; do
  echo
  echo "== $name"
  root=$TESSARIN_WINE_ROOT
  run_size=$size
  # The Unicode view's benchmark draws GNU Unifont: an environment whose prefix has it.
  if [ "$name" = unicodeview ]; then
    run_size=$size+unicode
    "$winenv" start "$run_size"
  fi
  if [ "$name" = fontlist ]; then
    root=$fonts_root
    dpkg-query -W -f='${Status}' fonts-noto-core 2>/dev/null | grep -q "ok installed" ||
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends fonts-noto-core >/dev/null ||
      echo "bench: fonts-noto-core is not installed; the font list is short" >&2
    TESSARIN_WINE_ROOT=$root TESSARIN_PREFIX_FONTS="/usr/share/fonts/truetype/noto /usr/share/fonts/truetype/dejavu" \
      "$winenv" start "$size"
  fi
  if [ "$name" = fontscan ]; then
    root=$scan_root
    scan_fonts=$(fetch_scan_fonts)
    TESSARIN_WINE_ROOT=$root TESSARIN_PREFIX_FONTS="$scan_fonts" "$winenv" start "$size"
  fi
  if [ "$name" = unicode_search ]; then
    # The search is platform-free: its figures natively first, then under Wine.
    "$repo/scripts/build.sh" host bench_unicode_search >/dev/null
    echo "-- native"
    "$repo/build/host/bench_unicode_search"
    echo "-- Wine"
  fi
  args=("$tessarin_dos")
  if [ "$name" = startup ] && [ -n "${TESSARIN_BENCH_EARLIER:-}" ]; then
    earlier=$(realpath "$TESSARIN_BENCH_EARLIER")
    args+=(21 "Z:${earlier//\//\\}")
  fi
  # msvcrt writes CRLF line ends to a pipe.
  if ! TESSARIN_WINE_ROOT=$root "$winenv" exec "$run_size" "$build/bench_$name.exe" "${args[@]}" | tr -d '\r'; then
    echo "bench: $name failed" >&2
    status=1
  fi
  if [ "$run_size" != "$size" ]; then
    "$winenv" stop "$run_size" >/dev/null
  fi
  if [ "$root" != "$TESSARIN_WINE_ROOT" ]; then
    TESSARIN_WINE_ROOT=$root "$winenv" stop "$size" >/dev/null
  fi
done
exit $status
