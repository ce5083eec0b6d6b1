#!/usr/bin/env bash
# A private Wine environment per screen size: its own 32-bit prefix, its own Xvfb display,
# its own persistent wineserver. Nothing here touches the user's ~/.wine or display.
#
#   winenv.sh start SIZE      make the prefix if needed, start Xvfb and the wineserver
#   winenv.sh stop SIZE       stop that wineserver and that Xvfb (by prefix and pid)
#   winenv.sh exec SIZE CMD…  run CMD inside the environment (used by ctest)
#   winenv.sh stopall         stop every environment under the root
#   winenv.sh here CMD…       run CMD on the current $DISPLAY, in a prefix of its own
#                             ("desktop") in which Wine draws captions and frames
#
# SIZE is WIDTHxHEIGHT (1024x768), or WIDTHxHEIGHT@DPI (1920x1080@144) for a screen at
# another scaling than 100 % (96 DPI): 120 is 125 %, 144 is 150 %, 192 is 200 %. A SIZE
# ending in "+unicode" (1024x768+unicode) has in its prefix's own Fonts folder also the
# fonts the Unicode view is tested with: Symbola (a character above U+FFFF) and GNU
# Unifont (most of the Basic Multilingual Plane), fetched once from Debian with
# apt-get download, never installed, so that no other environment's font list changes.
# Each SIZE has its own prefix, a copy of one made by wineboot once under the root, which is
# $TESSARIN_WINE_ROOT (default ./wine).
set -euo pipefail
root=${TESSARIN_WINE_ROOT:-$PWD/wine}
cmd=${1:?usage: winenv.sh start|stop|exec|stopall SIZE}
size=${2:-1024x768}
env_dir=$root/$size
prefix=$env_dir/prefix
base=${size%%+*}
screen=${base%@*}
dpi=96
case $base in *@*) dpi=${base#*@} ;; esac
unicode_fonts=
case $size in *+unicode) unicode_fonts=1 ;; esac
case $dpi in ''|*[!0-9]*) echo "winenv: bad DPI in $size" >&2; exit 2 ;; esac

wine_env() {
  export HOME=$env_dir/home WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all
  # TESSARIN_LOCALE gives a test another system locale (its ANSI code page follows it).
  local locale=${TESSARIN_LOCALE:-C.UTF-8}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LANG=$locale LC_ALL=$locale
  export FONTCONFIG_FILE=$env_dir/fonts.conf XDG_CACHE_HOME=$env_dir/cache
  unset WAYLAND_DISPLAY
}

# The Unicode test fonts, unpacked under the root once: the font files' folder.
fetch_unicode_fonts() {
  local dir=$root/unicode-fonts
  if [ ! -f "$dir/.ready" ]; then
    rm -rf "$dir"
    mkdir -p "$dir/debs" "$dir/files"
    ( cd "$dir/debs" && apt-get download fonts-symbola fonts-unifont >/dev/null 2>&1 ) ||
      { echo "winenv: apt-get download fonts-symbola fonts-unifont failed" >&2; return 1; }
    for deb in "$dir"/debs/*.deb; do dpkg-deb -x "$deb" "$dir/unpacked"; done
    find "$dir/unpacked" -type f \( -name 'Symbola*.ttf' -o -name 'unifont.otf' -o -name 'unifont_upper.otf' \) \
      -exec cp -t "$dir/files/" {} +
    touch "$dir/.ready"
  fi
  echo "$dir/files"
}

# The prefix every environment starts from, made once under the root: `wineboot -i` alone
# takes longer than the rest of an environment's start and writes some 600 MB.
base_dir=$root/base

# Only the Liberation fonts from the system, so the font set does not depend on the machine
# (wineboot already records the fonts that it finds).
write_fonts_conf() {  # folder
  mkdir -p "$1/cache"
  cat > "$1/fonts.conf" <<XML
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <cachedir>$1/cache/fontconfig</cachedir>
</fontconfig>
XML
}

make_base() {
  [ -f "$base_dir/.ready" ] && return 0
  rm -rf "$base_dir"
  mkdir -p "$base_dir/home"
  write_fonts_conf "$base_dir"
  ( export HOME=$base_dir/home WINEPREFIX=$base_dir/prefix WINEARCH=win32 WINEDEBUG=-all
    export FONTCONFIG_FILE=$base_dir/fonts.conf XDG_CACHE_HOME=$base_dir/cache
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LANG=C.UTF-8 LC_ALL=C.UTF-8
    unset DISPLAY WAYLAND_DISPLAY
    wineboot -i >/dev/null 2>&1
    wineserver -w )
  touch "$base_dir/.ready"
}

# Makes $prefix a copy of the base that costs a few megabytes. The binaries and fonts, which
# only wineboot writes, are hard links to the base's. Every other file is a copy of its own:
# the wineserver writes a registry file that has more than one link in place rather than by
# rename, and the program's ini files are written in place too.
clone_base() {
  mkdir -p "$env_dir"
  cp -a --link "$base_dir/prefix" "$prefix"
  find "$prefix" -type f ! -iregex '.*\.\(dll\|exe\|drv\|sys\|ocx\|cpl\|acm\|tlb\|ax\|ds\|nls\|vxd\|ttf\|otf\|fon\|msstyles\)' \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' sh {} +
  # The user's folders (Desktop, Documents …) point into the home of the prefix's maker.
  find "$prefix/drive_c/users" -type l -lname "$base_dir/home*" \
    -exec sh -c 'for l; do ln -sfn "$0" "$l"; done' "$env_dir/home" {} +
}

# Copies font files into the prefix's Fonts folder: as hard links where the file system allows.
add_fonts() {
  cp -l "$@" "$prefix/drive_c/windows/Fonts/" 2>/dev/null || cp "$@" "$prefix/drive_c/windows/Fonts/"
}

make_prefix() {
  [ -f "$prefix/.tessarin-ready-3" ] && return 0
  rm -rf "$env_dir"
  # Environments start two at a time under ctest: one makes the base and fetches the
  # fonts while the other waits.
  mkdir -p "$root"
  local fonts=
  {
    flock 9
    make_base
    [ -z "$unicode_fonts" ] || fonts=$(fetch_unicode_fonts)
  } 9>"$root/.lock"
  clone_base
  mkdir -p "$env_dir/home" "$env_dir/cache"
  write_fonts_conf "$env_dir"
  wine_env
  # Debian's Wine does not find its own fonts unless they are in the prefix.
  add_fonts /usr/share/wine/fonts/*
  [ -z "$fonts" ] || add_fonts "$fonts"/*
  # A benchmark may ask for many more installed fonts (folders of .ttf/.otf files).
  for dir in ${TESSARIN_PREFIX_FONTS:-}; do
    [ -d "$dir" ] || continue
    find "$dir" -type f \( -name '*.ttf' -o -name '*.otf' \) -exec cp -t "$prefix/drive_c/windows/Fonts/" {} +
  done
  cat > "$env_dir/setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Arial Cyr"="Liberation Sans"
"Times New Roman Greek"="Liberation Serif"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"
REG
  # The screen's scaling: what the display settings write on Windows. The server reads it
  # when it starts, so the running one is restarted below (wineserver -w, then start).
  if [ "$dpi" != 96 ]; then
    printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi" >> "$env_dir/setup.reg"
    printf '\n[HKEY_CURRENT_CONFIG\\Software\\Fonts]\n"LogPixels"=dword:%08x\n' "$dpi" >> "$env_dir/setup.reg"
  fi
  ( unset DISPLAY; wine regedit /S "$env_dir/setup.reg" >/dev/null 2>&1 )
  wineserver -w
  touch "$prefix/.tessarin-ready-3"
}

start() {
  make_prefix
  wine_env
  stop_quiet
  # Xvfb tells its display number on the pipe once it accepts clients.
  local w=${screen%x*} h=${screen#*x}
  exec 3< <(Xvfb -displayfd 1 -noreset -nolisten tcp -screen 0 "${w}x${h}x24" 2>/dev/null & echo "pid $!")
  local line pid="" disp=""
  while read -r -t 20 line <&3; do
    case $line in
      pid\ *) pid=${line#pid } ;;
      *[0-9]) disp=$line; break ;;
    esac
  done
  exec 3<&-
  [ -n "$pid" ] && [ -n "$disp" ] || { echo "winenv: Xvfb did not start" >&2; exit 1; }
  echo "$pid" > "$env_dir/xvfb.pid"
  echo ":$disp" > "$env_dir/display"
  export DISPLAY=:$disp
  # A persistent, fully detached server: Wine processes started by tests must not
  # inherit ctest's pipes, or ctest waits for them.
  setsid wineserver -p </dev/null >/dev/null 2>&1 || true
  # One GUI process brings up explorer (the desktop) now, not in the first test.
  setsid wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  echo "winenv: $screen at $dpi DPI ready on DISPLAY=:$disp (prefix $prefix)"
}

stop_quiet() {
  if [ -d "$prefix" ]; then
    ( wine_env; wineserver -k >/dev/null 2>&1 || true )
  fi
  if [ -f "$env_dir/xvfb.pid" ]; then
    kill "$(cat "$env_dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$env_dir/xvfb.pid" "$env_dir/display"
  fi
}

case $cmd in
  start) start ;;
  stop) stop_quiet; echo "winenv: $size stopped" ;;
  stopall)
    for d in "$root"/*x*/; do [ -d "$d" ] && "$0" stop "$(basename "$d")"; done ;;
  here)
    shift 1
    size=desktop env_dir=$root/desktop prefix=$root/desktop/prefix
    make_prefix
    wine_env
    exec wine "$@" ;;
  exec)
    shift 2
    [ -f "$env_dir/display" ] || { echo "winenv: $size is not started" >&2; exit 1; }
    wine_env
    export DISPLAY=$(cat "$env_dir/display")
    exec wine "$@" ;;
  *) echo "usage: winenv.sh start|stop|exec|stopall SIZE" >&2; exit 2 ;;
esac
