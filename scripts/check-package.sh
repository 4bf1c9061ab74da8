#!/usr/bin/env bash
# Builds the Debian packages of both programs with CPack (kavrino and ztr-search, their
# dependencies worked out from the binaries), checks them with lintian, installs them, starts both
# programs from their menu entries under Xvfb, removes the packages and checks that no file of
# theirs is left. Needs root for dpkg; .ci/run calls it when it runs as root.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "check-package.sh installs packages and needs root" >&2
  exit 2
fi
build=build-package
packages=(kavrino ztr-search)
echo "== Building the packages in $build"
bash scripts/package.sh >/dev/null
debs=()
for package in "${packages[@]}"; do
  deb=$(ls "$build/${package}_"*.deb)
  debs+=("$PWD/$deb")
  echo "$deb: $(stat -c %s "$deb") bytes"
  dpkg-deb --field "$deb" Package Version Installed-Size Depends Recommends | sed 's/^/    /'
done

echo "== lintian"
# Errors fail the check; warnings and notes are shown.
lintian --fail-on error --display-info "${debs[@]}"

# Packages left from an earlier run would hide what this one installs.
for package in "${packages[@]}"; do
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
    dpkg -r "$package" >/dev/null
  fi
done

work=$(mktemp -d)
installed=no
cleanup() {
  # A failed check leaves no package of its own behind on the machine.
  if [ $installed = yes ]; then dpkg -r "${packages[@]}" >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
# What the packages hold, and which of their folders were there before: only those may stay.
for deb in "${debs[@]}"; do
  dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^\.\?$'
done | sort -u >"$work/contents"
while IFS= read -r path; do
  [ -d "$path" ] && echo "$path"
done <"$work/contents" >"$work/folders-before"

echo "== Installing"
installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${debs[@]}" >/dev/null
while IFS= read -r path; do
  [ -e "$path" ] || { echo "FAIL: $path is not installed" >&2; exit 1; }
done <"$work/contents"

echo "== Starting both programs from their menu entries"
bash scripts/check-installed-programs.sh /usr

echo "== Removing"
dpkg -r "${packages[@]}" >/dev/null
installed=no
left=()
while IFS= read -r path; do
  if [ -e "$path" ] && ! grep -qxF "$path" "$work/folders-before"; then
    left+=("$path")
  fi
done <"$work/contents"
if [ ${#left[@]} -ne 0 ]; then
  printf 'FAIL: left behind after dpkg -r: %s\n' "${left[@]}" >&2
  exit 1
fi
echo "PASS: the packages build, pass lintian, install, start from their menu entries and go without a trace"
