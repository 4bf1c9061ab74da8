#!/usr/bin/env bash
# Start-up time of ztr_search under Xvfb: from launching the program to its window being mapped,
# with a catalogue of 10,000 discs and 500,000 programs in temporary XDG folders.
# Usage: scripts/bench_ztr_startup.sh [path/to/ztr_search] [runs]
set -euo pipefail
program=${1:-build-release/ztr_search/ztr_search}
runs=${2:-5}
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

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  for run in $(seq '"$runs"'); do
    start=$(date +%s%N)
    "'"$program"'" & pid=$!
    xdotool search --sync --onlyvisible --name "^Zintra Search$" > /dev/null
    end=$(date +%s%N)
    echo "run $run: $(( (end - start) / 1000000 )) ms to the mapped window"
    kill $pid; wait $pid 2>/dev/null || true
  done'
