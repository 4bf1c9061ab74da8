#!/usr/bin/env bash
# Measures how busy a program keeps the processor while nobody uses it: starts the program on a
# virtual X server, optionally runs a command against it (typing into its window), lets it
# settle, then reads its user and system time from /proc over a span and prints the share of
# one core. It measures one process; it does not judge what it measured unless asked (-m).
#
# usage: scripts/measure-idle.sh [-c COMMAND] [-w SECONDS] [-s SECONDS] [-m PERCENT] PROGRAM [ARG...]
#   -c COMMAND   run through sh once the program is up; $IDLE_PID is the program's process id
#   -w SECONDS   settling time after the start and again after the command (default 3)
#   -s SECONDS   length of the measurement (default 10)
#   -m PERCENT   exit with 1 when the measured share is above PERCENT
#
# Kavrino with its text editor open:
#   scripts/measure-idle.sh -m 1 -c 'xdotool search --sync --onlyvisible --pid $IDLE_PID \
#       --class . windowfocus --sync type --delay 50 tekst && xdotool key Return' build/kavrino/Kavrino
set -euo pipefail

arguments=("$@")
command=""
settle=3
span=10
limit=""
while getopts "c:w:s:m:" option; do
  case "$option" in
    c) command="$OPTARG" ;;
    w) settle="$OPTARG" ;;
    s) span="$OPTARG" ;;
    m) limit="$OPTARG" ;;
    *) sed -n '7,12p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -eq 0 ]; then
  sed -n '7,12p' "$0" >&2
  exit 2
fi

# The measurement runs inside xvfb-run, so that the program and the command share its display.
if [ -z "${MEASURE_IDLE_DISPLAY_READY:-}" ]; then
  export MEASURE_IDLE_DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${arguments[@]}"
fi

"$@" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# User plus system time of the program so far, in clock ticks. The name in field 2 may hold
# blanks, so the fields are counted from the ")" that closes it: utime and stime are 14 and 15.
cpu_ticks() {
  local stat rest
  stat=$(cat "/proc/$pid/stat") || { echo "the program has ended" >&2; exit 1; }
  rest=${stat##*) }
  # shellcheck disable=SC2086
  set -- $rest
  echo $(( ${12} + ${13} ))
}

sleep "$settle"
cpu_ticks >/dev/null
if [ -n "$command" ]; then
  IDLE_PID=$pid sh -c "$command"
  sleep "$settle"
fi

hertz=$(getconf CLK_TCK)
before=$(cpu_ticks)
start=$(date +%s.%N)
sleep "$span"
after=$(cpu_ticks)
end=$(date +%s.%N)

share=$(awk -v t=$((after - before)) -v hz="$hertz" -v a="$start" -v b="$end" \
  'BEGIN { printf "%.2f", 100 * t / hz / (b - a) }')
echo "$share% of one core over ${span} s ($((after - before)) ticks at ${hertz} Hz): $*"
if [ -n "$limit" ] && awk -v s="$share" -v m="$limit" 'BEGIN { exit !(s > m) }'; then
  exit 1
fi
