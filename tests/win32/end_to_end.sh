#!/usr/bin/env bash
# kelvologger.exe under Wine on an X display, end to end: started in a fresh folder, it logs
# what the Linux side sends to 127.0.0.1, a click on a filter rewrites its settings file, the
# start-at-logon switch writes the Run value (read back with reg query) and removes it again,
# "Close" answered No archives the log and ends the program; --version, --help and an unknown
# option answer before any window.
# Usage: end_to_end.sh BIN-DIR LINUX-KELVOSEND   (WINEPREFIX and DISPLAY set by the caller)
set -euo pipefail
bin=$1 send=$2
wine=/usr/lib/wine/wine64
dir=$(mktemp -d)
logger=
cleanup() {
  [ -n "$logger" ] && kill "$logger" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
# Waits for a condition, polling, for at most 60 seconds. (A window is seen once it is
# shown: the logger binds its port before it shows its window.)
until_true() {
  local what=$1; shift
  for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
  fail "$what"
}
runKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
runValue() { "$wine" reg query "$runKey" /v "Kelvo Logger AutoStart" 2>/dev/null | tr -d '\r'; }
hasRunValue() { runValue | grep -qF "\"$exe\" /m"; }
noRunValue() { ! runValue | grep -q AutoStart; }
ended() { ! kill -0 "$logger"; }
# Clicks at a point of the window's client area, in pixels at 96 DPI.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

cp "$bin/kelvologger.exe" "$bin/kelvologviewer.exe" "$dir/"
# The common options answer on the standard streams before any window, and touch nothing.
answer() { (cd "$dir" && exec "$wine" "$@" 2>&1) | tr -d '\r'; }
[ "$(answer kelvologger.exe /m --version)" = "kelvologger 1.0.1" ] || fail "the logger's --version"
answer kelvologviewer.exe --help | grep -q '^usage: kelvologviewer' || fail "the viewer's --help"
[ "$(answer kelvologger.exe --port)" = \
  "kelvologger: unknown option --port (--help lists the options)" ] || fail "an unknown option"
status=0
(cd "$dir" && exec "$wine" kelvologger.exe --port 2>/dev/null) || status=$?
[ "$status" = 2 ] || fail "an unknown option ended with status $status"
[ "$(ls "$dir")" = "$(printf 'kelvologger.exe\nkelvologviewer.exe')" ] || fail "files left: $(ls "$dir")"
port=$((20000 + RANDOM % 20000))
printf '[UDPPORT             ]=%s\r\n' "$port" > "$dir/loggersettings.txt"
(cd "$dir" && exec "$wine" kelvologger.exe) & logger=$!
until_true "the logger's window is shown" xdotool search --onlyvisible --name '^Kelvo IM Logger$'
window=$(xdotool search --onlyvisible --name '^Kelvo IM Logger$' | head -1)
[ -e "$dir/kelvologger.lock" ] || fail "no lock file held in the logger's folder"

"$send" --port "$port" signon Ann PC7
"$send" --port "$port" message "hi from Linux"
stamped='^[0-9]{2}-[0-9]{2}-[0-9]{2}:[0-9]{2}:[0-9]{2}[ap]:MESSAGE :\[hi from Linux'
until_true "a stamped line in logs/logtemp.txt" grep -Eq "$stamped" "$dir/logs/logtemp.txt"
grep -q 'SIGN ON' "$dir/logs/logtemp.txt" && fail "a sign-on logged with its filter off"

click 24 90 # "Sign On's"
until_true "the filter click saved" grep -q 'FILTERSIGNONS       \]=1' "$dir/loggersettings.txt"

exe=$("$wine" winepath -w "$dir/kelvologger.exe" 2>/dev/null | tr -d '\r')
click 24 213 # "Start with Windows"
until_true "the Run value written" hasRunValue
echo "Run value: $(runValue | grep AutoStart)"
click 24 213
until_true "the Run value removed" noRunValue

click 705 517 # "Close", then No in the exit question
until_true "the exit question" xdotool search --onlyvisible --name '^Exit Kelvo Logger$'
xdotool key --window "$(xdotool search --onlyvisible --name '^Exit Kelvo Logger$' | head -1)" n
until_true "the logger ended" ended
logger=
ls "$dir"/logs/log*.txt | grep -Eq '/log[0-9]{12}\.txt$' || fail "no archive written"
[ -e "$dir/logs/logtemp.txt" ] && fail "logtemp.txt left behind"
[ -e "$dir/kelvologger.lock" ] && fail "the folder's lock file left behind"
grep -Eq "$stamped" "$dir"/logs/log[0-9]*.txt || fail "the archive lacks the line"
echo "PASSED: logged, filter saved, Run value written and removed, archived on No"
