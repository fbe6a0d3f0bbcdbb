#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64 into build-windows/bin/ (kelvologger.exe,
# kelvologviewer.exe, kelvosend.exe), checks that each imports only DLLs every Windows has,
# runs the Windows tests under Wine (in a Wine prefix of the build's own, on a virtual X
# display for the windows) and packs dist/kelvo-windows-x64.zip. Installs what is missing
# first and prints how long it all took.
# Usage: scripts/windows-build.sh [--no-tests] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
tests=1
[ "${1:-}" = "--no-tests" ] && { tests=0; shift; }
dir="${1:-build-windows}"
start=$(date +%s)
trap 'echo "Windows build took $(( $(date +%s) - start )) s"' EXIT

scripts/setup.sh windows
scripts/build.sh "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKELVO_WINDOW=OFF

# Only what every Windows has: no MinGW runtime DLLs to ship beside the programs.
allowed='^(kernel32|user32|gdi32|comctl32|advapi32|ws2_32|shell32|comdlg32|msvcrt)\.dll$'
for exe in kelvologger kelvologviewer kelvosend; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$dir/bin/$exe.exe" | sed -n 's/^\s*DLL Name: //p' |
         tr 'A-Z' 'a-z' | sort -u)
  echo "$exe.exe imports: $(echo $dlls)"
  for dll in $dlls; do
    [[ $dll =~ $allowed ]] || { echo "$exe.exe imports $dll, which not every Windows has" >&2; exit 1; }
  done
done

# The programs without their debugging information, which only the build needs.
pack="$dir/package"
rm -rf "$pack" dist/kelvo-windows-x64.zip
mkdir -p "$pack" dist
for exe in kelvologger kelvologviewer kelvosend; do
  x86_64-w64-mingw32-strip -o "$pack/$exe.exe" "$dir/bin/$exe.exe"
done
cp data/windows/README.txt "$pack/README.txt"
zip -qj dist/kelvo-windows-x64.zip "$pack"/*
echo "Packed dist/kelvo-windows-x64.zip"

[ "$tests" = 1 ] || exit 0
# A prefix of our own, never the user's; without Mono and Gecko, which nothing here needs and
# whose installers would only slow the first start.
export WINEPREFIX="$PWD/$dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit "$status"
