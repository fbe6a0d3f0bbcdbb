#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing.
# Usage: scripts/setup.sh run|test|package|ci|windows   (test and package include run; ci, all;
# windows is what the Windows cross build and its tests under Wine need)
set -euo pipefail

run_pkgs=(cmake g++ make qt6-base-dev libgl-dev)
test_pkgs=(libgtest-dev libgmock-dev)
package_pkgs=(dpkg-dev file lintian desktop-file-utils appstream)
windows_pkgs=(cmake make g++ g++-mingw-w64-x86-64 googletest wine64 xvfb xauth xdotool zip)
ci_pkgs=(clang libclang-rt-14-dev "${windows_pkgs[@]}")

case "${1:-run}" in
  run) wanted=("${run_pkgs[@]}") ;;
  test) wanted=("${run_pkgs[@]}" "${test_pkgs[@]}") ;;
  package) wanted=("${run_pkgs[@]}" "${package_pkgs[@]}") ;;
  ci) wanted=("${run_pkgs[@]}" "${test_pkgs[@]}" "${package_pkgs[@]}" "${ci_pkgs[@]}") ;;
  windows) wanted=("${windows_pkgs[@]}") ;;
  *) echo "usage: $0 run|test|package|ci|windows" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
