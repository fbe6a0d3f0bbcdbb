# Sourced by the scripts beside it: a fresh folder holding a copy of the built logger (or of
# $KELVOLOGGER), with its own lock, configuration, state and data folders and a free port; it
# is removed on exit.
# Sets: bin, work, port. Needs: the settings records (without the port) in $1.
bin=$(cd "${BUILD_DIR:-$(dirname "${BASH_SOURCE[0]}")/../../build}/bin" && pwd)
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
cp "${KELVOLOGGER:-$bin/kelvologger}" "$work/kelvologger"
mkdir -p "$work/run"
free_port() {
  python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
port=$(free_port)
printf '%s[STARTWITHWINDOWS    ]=0\r\n[UDPPORT             ]=%s\r\n' "$1" "$port" > "$work/loggersettings.txt"
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/run" XDG_STATE_HOME="$work/state" \
  XDG_DATA_HOME="$work/data"

# Returns once something listens on UDP port $1 (false after four seconds).
wait_listening() {
  for _ in $(seq 200); do
    python3 -c "import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(('127.0.0.1',$1))" 2>/dev/null || return 0
    sleep 0.02
  done
  return 1
}
