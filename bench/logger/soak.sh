#!/usr/bin/env bash
# Floods the logger with datagrams of random size (0 to 65,507 bytes) and random bytes, then
# ends it (which logs every line still queued) and checks the logs: every datagram the logger
# accepted is logged, in order, and its memory stayed under the queue's cap plus a margin.
# Usage: bench/logger/soak.sh [datagrams] [build-dir]
set -uo pipefail
count=${1:-2000000}
BUILD_DIR=${2:-} source "$(dirname "$0")/logger-folder.sh" $'[FILTERJUNK          ]=1\r\n'

kernel_drops() { awk '/^Udp:/ { if (!h) { for (i = 1; i <= NF; i++) if ($i == "RcvbufErrors") c = i; h = 1 } else print $c }' /proc/net/snmp; }

"$work/kelvologger" --headless >/dev/null 2>"$work/err.txt" &
pid=$!
sleep 1
drops0=$(kernel_drops)
started=$SECONDS
"$bin/kelvosend" --port "$port" flood "$count" > "$work/sent.txt" &
sender=$!
peak=0
while kill -0 "$sender" 2>/dev/null; do
  kb=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
  [ "${kb:-0}" -gt "$peak" ] && peak=$kb
  sleep 0.5
done
flood_seconds=$((SECONDS - started))
kill -0 "$pid" || { echo "the logger died during the flood"; exit 1; }
kb=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status"); [ "$kb" -gt "$peak" ] && peak=$kb
kernel=$(( $(kernel_drops) - drops0 ))
drain_start=$SECONDS
kill -TERM "$pid"; wait "$pid"; status=$?
drain_seconds=$((SECONDS - drain_start))

python3 - "$work" "$count" "$peak" "$kernel" "$status" "$flood_seconds" "$drain_seconds" <<'PY'
import glob, os, re, sys
work, sent, peak_kb, kernel, status, flood_s, drain_s = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]), sys.argv[6], sys.argv[7]
err = open(os.path.join(work, "err.txt")).read()
notes = re.findall(r"(\d+) datagrams accepted, (\d+) dropped", err)  # the last is the final count
accepted, dropped = (int(notes[-1][0]), int(notes[-1][1])) if notes else (-1, -1)
line = re.compile(rb"(?:^|\r\n)\d\d-\d\d-\d\d:\d\d:\d\d[ap]:JUNK    :(#(\d+)#)?")
logged, numbers = 0, []
for name in sorted(glob.glob(os.path.join(work, "logs", "log[0-9]*.txt"))):
    for hit in line.finditer(open(name, "rb").read()):
        logged += 1
        if hit.group(2): numbers.append(int(hit.group(2)))
in_order = all(a < b for a, b in zip(numbers, numbers[1:]))
cap_mib, margin_mib = 256 + 64, 64
peak_mib = peak_kb / 1024
print(f"sent {sent} in {flood_s} s; accepted {accepted}, dropped by the logger {dropped}, "
      f"dropped by the kernel {kernel}")
print(f"logged {logged} (every accepted line: {'yes' if logged == accepted else 'NO'}), "
      f"in order: {'yes' if in_order else 'NO'}, ending took {drain_s} s, exit status {status}")
print(f"peak memory {peak_mib:.0f} MiB; cap {cap_mib} MiB (queue 256 + hand-over 64) "
      f"+ margin {margin_mib} MiB: {'under' if peak_mib < cap_mib + margin_mib else 'OVER'}")
sys.exit(0 if status == 0 and logged == accepted and in_order and peak_mib < cap_mib + margin_mib else 1)
PY
