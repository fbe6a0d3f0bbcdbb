#!/usr/bin/env bash
# Repeats the attacks that once lost log lines, on the real built logger, and prints what each
# lost: SIGKILLs at random moments during traffic with restarts in between; a full disk, then
# SIGTERM, then space freed and a restart; headless output into `head -n 1`; a second logger on
# the same folder from another environment. The full disk is a small tmpfs: it needs root.
# Usage: bench/logger/attacks.sh [kills] [build-dir]     ($KELVOLOGGER: another logger to attack)
set -uo pipefail
kills=${1:-30}
BUILD_DIR=${2:-} source "$(dirname "$0")/logger-folder.sh" ''
trap 'kill -9 $(jobs -p) 2>/dev/null; umount "$work/logs" 2>/dev/null; rm -rf "$work"' EXIT
failed=0
check() { # figure, target: "0" or "yes"
  [ "$1" = "$2" ] || failed=1
}

# The numbers of the logged messages "[n<number>" (kelvosend message) and "[<number>..."
# (kelvosend burst) in every log on disk, one a line, sorted as comm wants them.
on_disk() {
  python3 - "$work/logs" <<'PY' | sort -u
import glob, os, re, sys
for name in glob.glob(os.path.join(sys.argv[1], "*.txt")):
    for n in re.findall(rb"MESSAGE :\[n?(\d+)[.\r]", open(name, "rb").read()):
        print(n.decode())
PY
}

start_logger() { # [output file] ; sets pid
  "$work/kelvologger" --headless >"${1:-/dev/null}" 2>>"$work/err.txt" &
  pid=$!
  for _ in $(seq 200); do # listening once the port is taken
    python3 -c "import socket; socket.socket(socket.AF_INET, socket.SOCK_DGRAM).bind(('127.0.0.1',$port))" 2>/dev/null || return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.02
  done
  echo "the logger did not start: $(cat "$work/err.txt")"
  exit 1
}

send() { "$bin/kelvosend" --port "$port" "$@" >/dev/null; }

# Waits up to ten seconds for a condition.
wait_for() {
  for _ in $(seq 500); do eval "$1" && return 0; sleep 0.02; done
  return 1
}

fresh_logs() { rm -rf "$work/logs" "$work/state" "$work/data" "$work/err.txt"; mkdir -p "$work/logs"; }

# 1. SIGKILL at random moments, from 0.1 to 2 s after each start (its own start-up included),
# while messages arrive three a second as people chat; a restart after each kill.
fresh_logs
(i=0; while :; do i=$((i + 1)); send message "n$i"; sleep 0.3; done) &
sender=$!
launch() {
  "$work/kelvologger" --headless >/dev/null 2>>"$work/err.txt" &
  pid=$!
}
launch
: >"$work/ever.txt"
: >"$work/gone.txt"
for _ in $(seq "$kills"); do
  ms=$((RANDOM % 1900 + 100))
  sleep "$((ms / 1000)).$(printf %03d $((ms % 1000)))"
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  on_disk >"$work/now.txt"
  comm -23 "$work/ever.txt" "$work/now.txt" >>"$work/gone.txt"
  sort -u "$work/ever.txt" "$work/now.txt" -o "$work/ever.txt"
  launch
done
kill "$sender"
wait "$sender" 2>/dev/null
kill -9 "$pid" # the last start goes like the others
wait "$pid" 2>/dev/null
start_logger # then one that ends in order
kill -TERM "$pid"
wait "$pid"
on_disk >"$work/now.txt"
comm -23 "$work/ever.txt" "$work/now.txt" >>"$work/gone.txt"
gone=$(sort -u "$work/gone.txt" | wc -l)
echo "SIGKILL x$kills during traffic, restarts between: $(wc -l <"$work/ever.txt") lines on disk" \
  "at the kills; gone afterwards: $gone (target 0)"
check "$gone" 0

# 2. A full disk: lines logged while nothing can be written, then SIGTERM, space freed, restart.
fresh_logs
if mount -t tmpfs -o size=64k tmpfs "$work/logs" 2>/dev/null; then
  start_logger "$work/out.txt"
  for i in $(seq 20); do send message "n$i"; done
  wait_for 'grep -q "\[n20\b" "$work/logs/logtemp.txt" 2>/dev/null'
  dd if=/dev/zero of="$work/logs/filler" bs=4k 2>/dev/null # until the disk is full
  for i in $(seq 21 40); do send message "n$i"; done
  wait_for 'grep -q "\[n40\b" "$work/out.txt"'
  kill -TERM "$pid"
  wait "$pid"
  told=$(tr -d '\r' <"$work/err.txt" |
    grep -m1 -oE 'The log cannot be (archived|written into|saved anywhere).*' || echo "no word")
  rm -f "$work/logs/filler"
  start_logger
  kill -TERM "$pid"
  wait "$pid"
  lost=$(comm -23 <(seq 40 | sort) <(on_disk) | wc -l)
  umount "$work/logs"
  echo "full disk, SIGTERM, space freed, restart: 40 lines sent, lost: $lost (target 0);" \
    "at the end it said: $told"
  check "$lost" 0
else
  echo "full disk: skipped (mounting a tmpfs needs root)"
  failed=1
fi

# 2b. A read-only logs folder holding the log of a killed run: start, log, SIGTERM, make it
# writable again, restart.
fresh_logs
printf '12-05-26:09:41p:MESSAGE :[n1\r\n\r\n' >"$work/logs/logtemp.txt"
if mount --bind "$work/logs" "$work/logs" 2>/dev/null && mount -o remount,bind,ro "$work/logs"; then
  start_logger "$work/out.txt"
  for i in $(seq 2 20); do send message "n$i"; done
  wait_for 'grep -q "\[n20\b" "$work/out.txt"'
  kill -TERM "$pid"
  wait "$pid"
  readback=$(grep -c 'cannot be read back' "$work/err.txt")
  said=$(grep '^kelvologger: The' "$work/err.txt" | cut -c14-58 | sed 's/.*/"&..."/' | paste -sd' ')
  umount "$work/logs"
  start_logger
  kill -TERM "$pid"
  wait "$pid"
  lost=$(comm -23 <(seq 20 | sort) <(on_disk) | wc -l)
  echo "read-only logs folder, SIGTERM, writable again, restart: 20 lines, lost: $lost" \
    "(target 0); \"cannot be read back\" said: $readback times (target 0); said: $said"
  check "$lost:$readback" 0:0
else
  echo "read-only logs folder: skipped (a read-only bind mount needs root)"
  failed=1
fi

# 3. Headless into `head -n 1`: the pipe closes after the first line, then Ctrl+C (SIGINT).
fresh_logs
mkfifo "$work/pipe"
head -n 1 <"$work/pipe" >/dev/null &
reader=$!
start_logger "$work/pipe"
send burst 40 # five seconds of ticks
wait "$reader" # gone after the first line; most lines are still queued
kill -INT "$pid" 2>/dev/null
wait "$pid"
status=$?
lost=$(comm -23 <(seq 0 39 | sort) <(on_disk) | wc -l)
archived=$(ls "$work"/logs/log[0-9]*.txt 2>/dev/null | wc -l)
echo "headless | head -n 1, then Ctrl+C: 40 lines sent, lost: $lost (target 0), exit status" \
  "$status (target 0), archive written: $([ "$archived" -eq 1 ] && echo yes || echo no)"
check "$lost:$status:$archived" "0:0:1"

# 4. A second logger on the same folder from another environment (its own runtime folder).
fresh_logs
start_logger
for i in $(seq 3); do send message "n$i"; done
wait_for 'grep -q "\[n3\b" "$work/logs/logtemp.txt" 2>/dev/null'
checksums() { (cd "$work/logs" && find . -type f -print0 | sort -z | xargs -0r sha256sum); }
before=$(checksums)
mkdir -p "$work/elsewhere"
XDG_RUNTIME_DIR="$work/elsewhere" XDG_CONFIG_HOME="$work/elsewhere" timeout 10 \
  "$work/kelvologger" --headless >/dev/null 2>"$work/second.txt"
status=$?
changed=$(diff <(echo "$before") <(checksums) | grep -c '^<')
kill -0 "$pid" 2>/dev/null && first=running || first=gone
kill -TERM "$pid"
wait "$pid"
echo "second logger, same folder, other environment: exit status $status (target 1)," \
  "$(grep -q 'is already running' "$work/second.txt" && echo refused || echo 'NOT refused')," \
  "files of the first deleted or changed: $changed (target 0), first logger $first"
check "$status:$changed:$first" "1:0:running"

exit "$failed"
