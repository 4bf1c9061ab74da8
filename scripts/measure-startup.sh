#!/usr/bin/env bash
# Times programs' start-up from outside: each command line is started RUNS times, the commands in
# turn (A B A B ...), and each run lasts from the start to the X server's map of the program's
# first top-level window (bench/startup_timer waits for that event; nothing polls). Prints each
# command's median, minimum and maximum, and every median as a multiple of the first command's,
# the baseline; then the same for the processor time the program had used by the map, which
# other work on the machine does not stretch.
#
# usage: scripts/measure-startup.sh [-n RUNS] [-b BUILD-DIR] [-B] 'COMMAND' ['COMMAND'...]
#   -n RUNS        timed runs of each command (default 15), after one untimed run each
#   -b BUILD-DIR   where bench/startup_timer is, or is built (default build-release)
#   -B             no private session bus (see below)
# Each COMMAND is one shell word list, e.g. 'build-release/bench/bare_qt_window'. Without a
# DISPLAY the runs take place on a private Xvfb server, and without a session bus on a private
# one, as on a desktop: Qt asks the session bus whether a screen reader is running as soon as a
# program shows text, and with no bus at all libdbus first tries to start one.
#
# Kavrino against a bare Qt window:
#   scripts/measure-startup.sh build-release/bench/bare_qt_window build-release/kavrino/Kavrino
set -euo pipefail

runs=15
build=build-release
bus=yes
while getopts "n:b:B" option; do
  case "$option" in
    n) runs="$OPTARG" ;;
    b) build="$OPTARG" ;;
    B) bus=no ;;
    *) sed -n '8,16p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -eq 0 ]; then
  sed -n '8,16p' "$0" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
again=(-n "$runs" -b "$build")
[ "$bus" = no ] && again+=(-B)
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-xvfb.sh" "$0" "${again[@]}" "$@"
fi
if [ "$bus" = yes ] && [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
  exec dbus-run-session -- "$0" "${again[@]}" "$@"
fi

timer="$build/bench/startup_timer"
if [ ! -x "$timer" ]; then
  cmake -S "$here/.." -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target startup_timer >/dev/null
fi

results=$(mktemp)
trap 'rm -f "$results"' EXIT

once() { # command index, command line; appends "index milliseconds" when timed
  local index=$1 line=$2 output
  local -a words
  eval "words=($line)"
  output=$("$timer" -- "${words[@]}" 2>/dev/null </dev/null) || {
    echo "no window mapped by: $line" >&2
    exit 1
  }
  # "mapped <ms> cpu <ms>"
  [ "${3:-}" = timed ] && awk -v i="$index" '{ print i, $2, $4 }' <<<"$output" >>"$results"
  return 0
}

commands=("$@")
for i in "${!commands[@]}"; do # the first start fills the file cache
  once "$i" "${commands[$i]}"
done
for _ in $(seq "$runs"); do
  for i in "${!commands[@]}"; do
    once "$i" "${commands[$i]}" timed
  done
done

summary() { # column: 2 for the time to the map, 3 for the processor time
  local column=$1 label=$2
  for i in "${!commands[@]}"; do
    awk -v i="$i" -v c="$column" '$1 == i { print $c }' "$results" | sort -n | awk -v name="${commands[$i]}" '
      { value[NR] = $1 }
      END {
        median = NR % 2 ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2
        printf "%s\t%.1f\t%.1f\t%.1f\t%d\n", name, median, value[1], value[NR], NR
      }'
  done | awk -F '\t' -v label="$label" '
    NR == 1 { baseline = $2; print label }
    { printf "  %-48s median %7.1f ms  (min %7.1f, max %7.1f, %d runs)  %.2f x the first\n", $1, $2, $3, $4, $5, $2 / baseline }'
}
summary 2 "start to the first mapped window:"
summary 3 "processor time used by then:"
