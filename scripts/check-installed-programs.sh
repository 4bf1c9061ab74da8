#!/usr/bin/env bash
# Starts both programs installed under PREFIX the way the desktop's menu does, from the Exec lines
# of their menu entries, under Xvfb, and checks that each runs from PREFIX with the files installed
# beside it: Kavrino plays a sound through its media module in PREFIX/lib/, and ztr_search
# shows the help file in PREFIX/share/ztr_search/ from its menu "Pomoc" > "Pomoc".
#   scripts/check-installed-programs.sh PREFIX
set -euo pipefail

if [ "${1:-}" != --under-x ]; then
  [ $# -eq 1 ] || { echo "usage: $0 PREFIX" >&2; exit 2; }
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --under-x "$1"
fi
prefix=$(realpath "$2")

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A home of its own, so that the catalogue's alias and data never touch the user's.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset PLATFORM_DB_ALIASES
: >"$work/drives.map"
export PLATFORM_DRIVE_MAP=$work/drives.map
export QT_QPA_PLATFORM=xcb
# The menu finds a bare Exec name on the PATH; the prefix's programs come first, as /usr/bin does.
export PATH="$prefix/bin:$PATH"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs the Exec line of menu entry $1 and waits for its window; sets pid and window.
start_from_menu_entry() {
  local entry=$prefix/share/applications/$1.desktop command
  command=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
  [ -n "$command" ] || fail "$entry has no Exec line"
  # Field codes stand for files the menu would pass; it passes none here.
  read -ra command <<<"${command//%[fFuUik]/}"
  "${command[@]}" &
  pid=$!
  pids+=("$pid")
  window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1) ||
    fail "no window of ${command[0]} from $entry within 60 s"
  local executable
  executable=$(readlink "/proc/$pid/exe")
  case "$executable" in
  "$prefix"/bin/*) echo "$1: ${command[*]} runs $executable, window $window" ;;
  *) fail "$entry starts $executable, not a program under $prefix" ;;
  esac
  xdotool windowfocus --sync "$window"
}

# Waits up to 30 s for a window of process $1 named exactly $2.
wait_for_window_named() {
  local deadline=$((SECONDS + 30)) id
  while [ $SECONDS -lt $deadline ]; do
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
      [ "$(xdotool getwindowname "$id")" = "$2" ] && return 0
    done
    sleep 0.2
  done
  return 1
}

# Kavrino: "grajplik" and a wave file load the media module.
start_from_menu_entry invalid.kavrino.Kavrino
sound=$work/silence.wav
printf 'RIFF\x64\x06\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data\x40\x06\x00\x00' >"$sound"
head -c 1600 /dev/zero | tr '\0' '\200' >>"$sound"
xdotool type --delay 10 grajplik && xdotool key Return
xdotool type --delay 10 "$sound" && xdotool key Return
module=
for _ in $(seq 150); do
  module=$(awk -v lib="$prefix/lib/" 'index($6, lib) == 1 && $6 ~ /\/kavrino\/libplatform_qtmedia\.so$/ { print $6; exit }' \
    "/proc/$pid/maps")
  [ -n "$module" ] && break
  sleep 0.2
done
[ -n "$module" ] || fail "Kavrino did not load its media module from $prefix/lib/ to play a sound"
echo "Kavrino: played a sound through $module"
kill "$pid"

# ztr_search: its help window takes its caption from the installed help file's title.
start_from_menu_entry invalid.kavrino.ztr_search
help_file="$prefix/share/ztr_search/Zintra Search.hlp"
title=$(sed -n 's:.*<title>\(.*\)</title>.*:\1:p' "$help_file")
[ -n "$title" ] || fail "$help_file has no title"
# A click opens the menu bar's first menu, "Plik"; Right moves to "Pomoc" with its first item,
# "Pomoc", chosen, and Return takes it.
xdotool mousemove --window "$window" 15 10 click 1
xdotool key Right Return
wait_for_window_named "$pid" "$title" || fail "ztr_search showed no help window titled \"$title\""
echo "ztr_search: showed $help_file"
kill "$pid"
