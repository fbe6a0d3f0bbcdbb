#!/usr/bin/env bash
# Kills the logger with SIGKILL at random moments while kelvosend feeds it, and checks after
# every kill that the current log is a whole earlier snapshot (nothing but complete log lines,
# ending as every write ends it) and that a restart brings its text back.
# Usage: bench/logger/crash_safety.sh [kills] [build-dir]
set -uo pipefail
kills=${1:-200}
BUILD_DIR=${2:-} source "$(dirname "$0")/logger-folder.sh" $'[FILTERSIGNONS       ]=1\r\n[FILTERHELLOS        ]=1\r\n'

# Prints how many bytes of the current log the restart must bring back, or fails when the
# file is damaged. A whole snapshot is only stamped log lines, then the empty line every write
# adds (a file restored from an earlier crash may hold that earlier empty line as well). A kill
# during a write leaves the snapshot before it and the start of the line then being written,
# without the empty last line: that line is not brought back.
complete_bytes() {
  python3 - "$1" <<'PY'
import re, sys
data = open(sys.argv[1], 'rb').read()
stamp = re.compile(rb'^\d\d-\d\d-\d\d:\d\d:\d\d[ap]:(SIGN ON :|SIGN OFF:|HELLO   :|MESSAGE :|JUNK    :)')
if data == b'\r\n' or data.endswith(b'\r\n\r\n'):
    whole, lines = data, data[:-4].split(b'\r\n')
else:
    body = data[:-2] if data.endswith(b'\r\n') else data
    whole = data[:body.rfind(b'\r\n') + 2] if b'\r\n' in body else b''
    lines = whole[:-2].split(b'\r\n')
    print('cut', file=sys.stderr)
if whole != b'\r\n' and any(line and not stamp.match(line) for line in lines): sys.exit(1)
print(len(whole))
PY
}

start_logger() {
  "$work/kelvologger" --headless >/dev/null 2>"$work/err.txt" &
  pid=$!
  wait_listening "$port" || { echo "logger did not start: $(cat "$work/err.txt")"; exit 1; }
}

"$bin/kelvosend" --port "$port" demo --rounds 100000000 --pace 2 >/dev/null 2>&1 &
restarts=0 damaged=0 cut=0 restored=0 withLog=0
start_logger
for i in $(seq "$kills"); do
  sleep "0.$((RANDOM % 40 + 5))"
  kill -9 "$pid"; wait "$pid" 2>/dev/null
  log="$work/logs/logtemp.txt"
  if [ -f "$log" ]; then
    if bytes=$(complete_bytes "$log" 2>"$work/cut.txt"); then
      [ -s "$work/cut.txt" ] && cut=$((cut + 1))
    else
      damaged=$((damaged + 1)); cp "$log" "$work/damaged-$i.txt"; bytes=0
    fi
    before=$(head -c "$bytes" "$log" | od -An -tx1 | tr -d ' \n')
  else
    before=""
  fi
  # Archives the killed logger wrote itself, rolling over while it caught up.
  earlier=$(ls "$work"/logs/log[0-9]*.txt 2>/dev/null)
  start_logger; restarts=$((restarts + 1))
  # The restart takes the text back (the file stays until a write holds it); ending it now
  # puts the text into archives, the first of which must begin with what the killed logger left.
  if [ -n "$before" ]; then
    withLog=$((withLog + 1))
    kill -TERM "$pid"; wait "$pid"
    first=$(ls "$work"/logs/log[0-9]*.txt | sort | grep -vxF "$earlier" | head -n 1)
    after=$(od -An -tx1 < "$first" | tr -d ' \n')
    [ "${after#"$before"}" != "$after" ] && restored=$((restored + 1))
    rm -f "$work"/logs/log[0-9]*.txt
    start_logger
  fi
done
kill -9 "$pid" 2>/dev/null
echo "kills: $kills, restarts: $restarts, damaged current logs: $damaged (target 0), cut short during a write: $cut"
echo "current log left by the kill: $withLog times; its text restored and archived whole: $restored of $withLog"
[ "$damaged" -eq 0 ] && [ "$restored" -eq "$withLog" ]
