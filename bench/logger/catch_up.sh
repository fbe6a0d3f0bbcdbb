#!/usr/bin/env bash
# The real logger (its window offscreen) and Debian's rsyslog (imudp into a file) in one run,
# each sent the same burst of numbered 60-byte datagrams on 127.0.0.1, one after the other.
# Prints for each: lost, duplicated and out-of-order lines, and the seconds from the last
# datagram sent to the last line on disk. Target: the logger loses nothing and is on disk
# within twice rsyslog's time (or, when both are quicker than the script can see, within the
# period of its looks at the disk).
# Usage: bench/logger/catch_up.sh [datagrams] [build-dir]
# Set KELVO_SCREENSHOT to a PNG file and DISPLAY to the X server the logger is to show its
# window on (instead of offscreen): the screen is shot 0.7 s into the logger's burst.
set -uo pipefail
count=${1:-200000}
BUILD_DIR=${2:-} source "$(dirname "$0")/logger-folder.sh" $'[FILTERMESSAGES      ]=1\r\n'
command -v rsyslogd >/dev/null || { echo "rsyslogd is missing: apt-get install rsyslog"; exit 1; }

# The same receive buffer as the logger's socket asks for.
rcvbuf=$(sed -n 's/.*kReceiveBuffer = \(.*\);/\1/p' "$(dirname "$0")/../../platform/posix/PosixUdpSocket.cpp")
rcvbuf=$(( $rcvbuf ))
syslog_port=$(free_port)
mkdir -p "$work/rsyslog"
cat > "$work/rsyslog/rsyslog.conf" <<CONF
global(workDirectory="$work/rsyslog")
module(load="imudp")
input(type="imudp" address="127.0.0.1" port="$syslog_port" rcvbufSize="$rcvbuf")
template(name="raw" type="string" string="%rawmsg%\n")
action(type="omfile" file="$work/rsyslog/burst.txt" template="raw")
CONF
rsyslogd -n -f "$work/rsyslog/rsyslog.conf" -i "$work/rsyslog/rsyslogd.pid" 2>"$work/rsyslog/err.txt" &
syslog_pid=$!

if [ -n "${KELVO_SCREENSHOT:-}" ]; then
  "$work/kelvologger" 2>"$work/err.txt" &
else
  QT_QPA_PLATFORM=offscreen "$work/kelvologger" 2>"$work/err.txt" &
fi
logger_pid=$!
wait_listening "$port" || { echo "logger did not start: $(cat "$work/err.txt")"; exit 1; }
wait_listening "$syslog_port" || { echo "rsyslogd did not start: $(cat "$work/rsyslog/err.txt")"; exit 1; }

python3 - "$bin/kelvosend" "$count" "$work" "$port" "$syslog_port" "${KELVO_SCREENSHOT:-}" <<'PY'
import os, re, subprocess, sys, time
sender, count, work, port, syslog_port, shot = sys.argv[1], int(sys.argv[2]), *sys.argv[3:]
number = re.compile(rb'\[(\d+)\.')

def tail_number(path):
    try:
        with open(path, 'rb') as f:
            f.seek(max(0, os.fstat(f.fileno()).st_size - 400))
            found = number.findall(f.read())
            return int(found[-1]) if found else None
    except OSError:
        return None

def rcvbuf_errors():
    lines = [l.split() for l in open('/proc/net/snmp') if l.startswith('Udp:')]
    return int(lines[1][lines[0].index('RcvbufErrors')])

def logger_files():
    logs = os.path.join(work, 'logs')
    archives = sorted(n for n in os.listdir(logs) if re.fullmatch(r'log\d{12}\.txt', n))
    return [os.path.join(logs, n) for n in archives] + [os.path.join(logs, 'logtemp.txt')]

def logger_last():
    # The newest line is at the end of the current log, or of the newest archive when the
    # last line rolled the text over.
    files = logger_files()
    last = tail_number(files[-1])
    return last if last is not None else (tail_number(files[-2]) if len(files) > 1 else None)

def measure(name, to_port, last_on_disk, lines):
    errors = rcvbuf_errors()
    send = subprocess.Popen([sender, '--port', to_port, 'burst', str(count), '--size', '60'],
                            stdout=subprocess.PIPE, text=True)
    if shot and name == 'logger':  # in the middle of the burst
        subprocess.Popen(['sh', '-c', f'sleep 0.7; xwd -root -silent | convert xwd:- png:{shot}'])
    out = send.communicate()[0].strip()
    sent = time.monotonic()
    # The last line on disk: the last datagram's, or whatever came last when it was lost.
    seen, changed, polls = None, sent, 0
    while time.monotonic() - changed < 5 and seen != count - 1:
        now = last_on_disk()
        polls += 1
        if now != seen:
            seen, changed = now, time.monotonic()
        time.sleep(0.005)
    # A time is only as exact as the period of these looks at the disk.
    global resolution
    resolution = max(resolution, (time.monotonic() - sent) / polls)
    numbers = lines()
    unique = set(numbers)
    out_of_order = sum(1 for a, b in zip(numbers, numbers[1:]) if b < a)
    print(f'{name:8} lost {count - len(unique):6}, duplicated {len(numbers) - len(unique)}, '
          f'out of order {out_of_order}, last line on disk {changed - sent:6.3f} s after the last '
          f'datagram sent (last line #{seen})   [sender: {out}; receive-buffer errors: '
          f'{rcvbuf_errors() - errors}]', flush=True)
    return count - len(unique), len(numbers) - len(unique), out_of_order, changed - sent

def numbers_in(paths):
    found = []
    for p in paths:
        with open(p, 'rb') as f:
            found += [int(n) for n in number.findall(f.read())]
    return found

syslog_file = os.path.join(work, 'rsyslog', 'burst.txt')
resolution = 0.0
print(f'{count} numbered 60-byte datagrams on 127.0.0.1, to each in turn', flush=True)
logger = measure('logger', port, logger_last, lambda: numbers_in(logger_files()))
syslog = measure('rsyslog', syslog_port, lambda: tail_number(syslog_file),
                 lambda: numbers_in([syslog_file]))
met = logger[:3] == (0, 0, 0) and logger[3] <= max(2 * syslog[3], resolution)
print(f'target: logger loses nothing and is on disk within 2 x rsyslog ({logger[3]:.3f} s vs '
      f'2 x {syslog[3]:.3f} s, times exact to {resolution * 1000:.0f} ms): '
      f'{"met" if met else "NOT met"}')
sys.exit(0 if met else 1)
PY
status=$?
kill -TERM "$logger_pid" "$syslog_pid" 2>/dev/null
wait "$logger_pid" "$syslog_pid" 2>/dev/null
exit $status
