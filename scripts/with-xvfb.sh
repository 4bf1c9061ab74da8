#!/usr/bin/env bash
# Runs a command on a private Xvfb server and stops the server afterwards:
#   scripts/with-xvfb.sh [-s "Xvfb options"] command [arguments...]
# The server picks a free display number itself (-displayfd), so that any number of these can
# start at once, as parallel tests do.
set -euo pipefail

options="-screen 0 1280x1024x24"
if [ "${1:-}" = "-s" ]; then
  options=$2
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [-s \"Xvfb options\"] command [arguments...]" >&2; exit 2; }

work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkfifo "$work/display"
# shellcheck disable=SC2086 # the options are words for Xvfb
Xvfb -displayfd 3 -nolisten tcp $options 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
if ! read -r -t 20 number <"$work/display"; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$number"
status=0
"$@" || status=$?
exit "$status"
