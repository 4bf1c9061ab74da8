#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and checks what a user gets:
# exactly the expected files, icons as large as their folders say, metainfo that agrees with the
# menu entries and icons beside it, and both programs running from the prefix with the files
# installed there.
#   tests/install/check_install_tree.sh BUILD_DIR SOURCE_DIR MODULE_DIR
# MODULE_DIR is where the prefix keeps the programs' modules (lib/<triplet> on Debian).
set -euo pipefail
build=$1
source=$2
module_dir=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

kavrino=invalid.kavrino.Kavrino
ztr=invalid.kavrino.ztr_search
sizes=(16 22 24 32 48 64 128 256)
expected=(
  bin/Kavrino
  "$module_dir/kavrino/libplatform_qtmedia.so"
  "share/applications/$kavrino.desktop"
  "share/metainfo/$kavrino.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$kavrino.svg"
  share/doc/kavrino/copyright
  share/doc/kavrino/changelog.gz
  share/man/man1/Kavrino.1.gz
  bin/ztr_search
  bin/ztr_search-import
  "share/ztr_search/Zintra Search.hlp"
  "share/applications/$ztr.desktop"
  "share/metainfo/$ztr.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$ztr.svg"
  share/doc/ztr-search/copyright
  share/doc/ztr-search/changelog.gz
  share/man/man1/ztr_search.1.gz
  share/man/man1/ztr_search-import.1.gz
)
for size in "${sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$kavrino.png" "share/icons/hicolor/${size}x$size/apps/$ztr.png")
done

if ! diff -u <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort); then
  echo "FAIL: the installed files differ from the expected ones (- expected, + installed)" >&2
  exit 1
fi

for size in "${sizes[@]}"; do
  for png in "$prefix/share/icons/hicolor/${size}x$size/apps/"*.png; do
    actual=$(identify -format '%wx%h' "$png")
    [ "$actual" = "${size}x$size" ] || { echo "FAIL: $png is $actual" >&2; exit 1; }
  done
done
for svg in "$prefix/share/icons/hicolor/scalable/apps/"*.svg; do
  grep -q '<svg' "$svg" && grep -q '</svg>' "$svg" || { echo "FAIL: $svg is no whole SVG picture" >&2; exit 1; }
done

appstreamcli validate-tree --no-net "$prefix"

# The help's title is marked in the prefix, so the help window shows which file was opened.
sed -i 's:<title>\(.*\)</title>:<title>\1 (zainstalowana)</title>:' "$prefix/share/ztr_search/Zintra Search.hlp"
bash "$source/scripts/check-installed-programs.sh" "$prefix"
echo "PASS: the installed tree under $prefix"
