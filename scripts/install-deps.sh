#!/usr/bin/env bash
# Installs every Debian package the build, the programs, the tests and the benchmarks need.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  clang libclang-rt-dev
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6sql6-sqlite
  qt6-qpa-plugins libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-liberation2 fonts-dejavu-core fonts-terminus-otb fontconfig
  libbenchmark-dev hyperfine
  xvfb xauth xdotool imagemagick x11-utils libxcb1-dev
  dbus-bin dbus-daemon dbus-session-bus-common
  sqlite3 libsqlite3-dev
  shared-mime-info
  xorriso dosfstools
  postgresql libpq-dev libqt6sql6-psql
  pxlib-dev
  desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# An old or missing package list cannot find the packages: refresh it first.
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
