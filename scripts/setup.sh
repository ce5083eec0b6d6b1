#!/usr/bin/env bash
# Installs what building, running and testing Tessarin need on Debian 12 (as root).
# Quick when everything is there already.
set -euo pipefail
packages=(cmake ninja-build g++ python3 g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth
          x11-utils xdotool imagemagick fonts-wine fonts-liberation googletest locales unicode-data
          unicode-cldr-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# The system locales that tests name on a "// locales:" line (a Cyrillic one: code page 1251).
for locale in ru_RU; do
  locale -a 2>/dev/null | grep -qx "$locale.utf8" || localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
done
