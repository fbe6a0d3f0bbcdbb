#!/usr/bin/env bash
# The viewer's figures under Wine, with "Search All files" set against grep -ril run natively
# on the same 10,000 logs. Needs an X display (DISPLAY) and a built build-windows/.
# Usage: bench/win32/viewer_bench.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
dir="${1:-build-windows}"
export WINEPREFIX="${WINEPREFIX:-$PWD/$dir/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$(/usr/lib/wine/wine64 "$dir/bin/win32_viewer_bench.exe" "$(/usr/lib/wine/wine64 winepath -w "$work" | tr -d '\r')" | tr -d '\r')
echo "$out"
ours=$(echo "$out" | sed -n 's/^search all.*median \([0-9.]*\) ms.*/\1/p')
grep -ril needle "$work/logs" >/dev/null || true # warms the cache
times=()
for _ in 1 2 3 4 5 6 7; do
  s=$(date +%s%N); grep -ril needle "$work/logs" >/dev/null || true; e=$(date +%s%N)
  times+=("$(( (e - s) / 1000 ))")
done
grep_ms=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 4p | awk '{printf "%.1f", $1 / 1000}')
echo "grep -ril natively on the same logs: median $grep_ms ms; ratio $(awk -v a="$ours" -v b="$grep_ms" 'BEGIN{printf "%.2f", a / b}') (target 1.5)"
