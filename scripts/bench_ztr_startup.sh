#!/usr/bin/env bash
# Start-up time of ztr_search under Xvfb: from launching the program to the X server's map of its
# window (scripts/measure-startup.sh), with a catalogue of 10,000 discs and 500,000 programs in
# temporary XDG folders, against a bare Qt window started the same way.
# Usage: scripts/bench_ztr_startup.sh [path/to/ztr_search] [runs]
set -euo pipefail
program=${1:-build-release/ztr_search/ztr_search}
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$(dirname "$program")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export PLATFORM_DB_ALIASES="$work/aliases.conf" PLATFORM_DRIVE_MAP="$work/drives.map"
: > "$PLATFORM_DRIVE_MAP"
db="$work/catalogue.sqlite"
printf '[Zintra Search]\nDRIVER=SQLITE\nPATH=%s\n' "$db" > "$PLATFORM_DB_ALIASES"
sqlite3 "$db" <<'SQL'
create table t_plyty (id_plyty integer not null unique, nazwa_plyty text not null, numer_seryjny text not null);
create table t_programy (id_plyty integer not null, nazwa_programu text not null, opis_programu text not null,
  instalacja text not null, wymagania text not null);
create index t_plyty_numer_seryjny on t_plyty (numer_seryjny);
create index t_programy_id_plyty on t_programy (id_plyty);
with recursive n(i) as (select 1 union all select i + 1 from n where i < 10000)
insert into t_plyty select i, 'Zintra ' || (i % 12 + 1) || '/' || (1996 + i % 9) || ' płyta ' || i, printf('%08X', i) from n;
with recursive n(i) as (select 0 union all select i + 1 from n where i < 499999)
insert into t_programy select i % 10000 + 1, 'Łamigłówki ' || (i % 7), 'Gra logiczna dla całej rodziny. Świetny program do nauki.',
  'PROGRAMY\P' || i || '\SETUP.EXE', 'Windows 95, 8 MB RAM' from n;
SQL

cmake --build "$build" --target bare_qt_window startup_timer >/dev/null
"$here/measure-startup.sh" -n "$runs" -b "$build" "$(printf %q "$build/bench/bare_qt_window")" "$(printf %q "$program")"
