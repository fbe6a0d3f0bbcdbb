#!/usr/bin/env bash
# Builds the package as a user would (scripts/package.sh), checks it with lintian, installs it
# with apt-get, runs the installed programs as an ordinary user and removes it again. Prints
# each check; ends non-zero at the first one that fails. Needs root or sudo (apt-get).
# Usage: scripts/package-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=(); [ "$(id -u)" -eq 0 ] || root=(sudo)
export DEBIAN_FRONTEND=noninteractive

checks=0
ok() { checks=$((checks + 1)); echo "  ok: $*"; }
fail() { echo "  FAILED: $*" >&2; exit 1; }
# check "what" command...: the command must succeed.
check() { local what=$1; shift; "$@" || fail "$what"; ok "$what"; }
# quiet "what" command...: the command must succeed and print nothing.
quiet() {
  local what=$1 out; shift
  out=$("$@" 2>&1) || fail "$what: $out"
  [ -z "$out" ] || fail "$what printed: $out"
  ok "$what"
}
# Waits up to 20 s for a command to succeed.
waitfor() { for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done; return 1; }

echo "== build the package (scripts/package.sh)"
scripts/package.sh
deb=$(ls dist/kelvo_*.deb)
check "a portable folder was built too" test -f dist/kelvo-*-portable.tar.gz

echo "== lintian $deb"
lintian --fail-on error --tag-display-limit 0 "$deb" | sed 's/^/  lintian: /' ||
  fail "lintian reports an error"
ok "lintian reports no error"

echo "== install with apt-get"
"${root[@]}" apt-get install -y -qq "./$deb" >/dev/null
for f in /usr/bin/kelvologger /usr/bin/kelvologviewer /usr/bin/kelvosend \
  /usr/share/man/man1/kelvologger.1.gz /usr/share/man/man1/kelvologviewer.1.gz \
  /usr/share/man/man1/kelvosend.1.gz; do
  check "installed: $f" test -f "$f"
done
for app in kelvologger kelvologviewer; do
  for icon in scalable/apps/$app.svg 48x48/apps/$app.png 256x256/apps/$app.png; do
    check "installed: icon $icon" test -f "/usr/share/icons/hicolor/$icon"
  done
  quiet "desktop-file-validate: org.kelvo.$app.desktop" \
    desktop-file-validate "/usr/share/applications/org.kelvo.$app.desktop"
  check "appstreamcli validate: org.kelvo.$app.metainfo.xml" \
    appstreamcli validate --no-net "/usr/share/metainfo/org.kelvo.$app.metainfo.xml"
done

echo "== the installed programs, as an ordinary user"
user=kelvo-check
scratch=$(mktemp -d)
run=()
if [ "$(id -u)" -eq 0 ]; then
  userdel -r "$user" >/dev/null 2>&1 || true
  useradd -m "$user"
  home=$(getent passwd "$user" | cut -d: -f6)
  # setpriv starts the program itself (no process in between), so its PID is the program's.
  run=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --init-groups)
else
  home=$scratch/home # not the user's own home: their logs and settings stay untouched
fi
cleanup() {
  [ -z "${logger_pid:-}" ] || kill "$logger_pid" 2>/dev/null || true
  [ "$(id -u)" -ne 0 ] || userdel -r "$user" >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
as_user=("${run[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run")
"${as_user[@]}" mkdir -p -m 700 "$home/run"
files=$home/.local/share/kelvo
[ -z "${run[*]}" ] || check "the programs run as $user, not as root" \
  test "$("${as_user[@]}" id -u)" != 0

check "kelvologger --help names $files" grep -qF "$files" <("${as_user[@]}" kelvologger --help)
check "kelvologviewer --help names $files/logs" \
  grep -qF "$files/logs" <("${as_user[@]}" kelvologviewer --help)
for program in kelvologger:1.0.1 kelvologviewer:1.0.4 kelvosend:1.0.4; do
  check "${program%:*} --version prints ${program#*:}" \
    test "$("${as_user[@]}" "${program%:*}" --version)" = "${program%:*} ${program#*:}"
  status=0
  "${as_user[@]}" "${program%:*}" --no-such-option 2>/dev/null || status=$?
  check "${program%:*} --no-such-option ends with status 2" test "$status" -eq 2
done
check "the options touched no file" test ! -e "$home/.local" -a ! -e "$home/.config"
"${as_user[@]}" QT_QPA_PLATFORM=offscreen KELVOLOGVIEWER_DIALOG_TRANSCRIPT="$home/dialogs" \
  kelvologviewer || true
check "before the logger ran, the viewer finds no logs" grep -q "Log files not found." \
  "$home/dialogs"

settings() {
  printf '[FILTERSIGNONS       ]=1\r\n[STARTWITHWINDOWS    ]=1\r\n[UDPPORT             ]=%s\r\n' \
    "$1" | "${as_user[@]}" tee "$files/loggersettings.txt" >/dev/null
}
alive() { kill -0 "$logger_pid" 2>/dev/null; }
listening() { grep -q "listening on UDP port" "$scratch/err" || ! alive; }
# The first start makes the folder and writes the default settings (port 4111) before it
# binds; if 4111 is taken (a logger of the user's own), it ends and another port is tried.
port=4111
for try in 1 2 3 4 5 6; do
  "${as_user[@]}" kelvologger --headless >"$scratch/out" 2>"$scratch/err" &
  logger_pid=$!
  waitfor listening || fail "the headless logger did not start: $(cat "$scratch/err")"
  [ "$try" -gt 1 ] || check "the first start wrote the default settings into $files" \
    grep -q "^\[UDPPORT             \]=4111" "$files/loggersettings.txt"
  alive && break
  wait "$logger_pid" || true
  port=$(shuf -i 20000-60000 -n 1)
  settings "$port"
done
alive || fail "no free port found: $(cat "$scratch/err")"
check "headless: the banner names $files" grep -qF "logs and settings in $files" "$scratch/err"

# logs_and_ends WHAT: a message reaches the log under ~/.local/share/kelvo (sent until it
# does: the window's logger says nothing when it listens); SIGTERM archives the log.
logs_and_ends() {
  local text="from the package check, $1"
  sent() {
    "${as_user[@]}" kelvosend --port "$port" message "$text" >/dev/null &&
      grep -qF "MESSAGE :[$text" "$files/logs/logtemp.txt" 2>/dev/null
  }
  check "$1: a message is logged in $files/logs/logtemp.txt" waitfor sent
  kill -TERM "$logger_pid"
  wait "$logger_pid" || fail "$1: the logger did not end cleanly: $(cat "$scratch/err")"
  logger_pid=
  check "$1: ending archived the log" grep -qF "$text" "$files"/logs/log[0-9]*.txt
  check "$1: the settings were saved in $files" \
    grep -q "^\[FILTERMESSAGES      \]=1" "$files/loggersettings.txt"
}
logs_and_ends "headless"
check "the start at logon starts the installed logger" \
  grep -q "^Exec=/usr/bin/kelvologger /m" "$home"/.config/autostart/kelvo-run-*.desktop

"${as_user[@]}" QT_QPA_PLATFORM=offscreen kelvologger >"$scratch/out" 2>"$scratch/err" &
logger_pid=$!
logs_and_ends "window (offscreen)"

rm -f "$home/dialogs"
"${as_user[@]}" QT_QPA_PLATFORM=offscreen KELVOLOGVIEWER_DIALOG_TRANSCRIPT="$home/dialogs" \
  kelvologviewer &
viewer_pid=$!
# Without logs it ends at once (above); with them it keeps its window open.
ended() { ! kill -0 "$viewer_pid" 2>/dev/null; }
for _ in $(seq 30); do ended && fail "the viewer ended: $(cat "$home/dialogs")"; sleep 0.1; done
kill "$viewer_pid"
wait "$viewer_pid" 2>/dev/null || true
ok "the viewer opens on the logger's logs (its window stays open)"
"${as_user[@]}" tar -xzf - -C "$home" <dist/kelvo-*-portable.tar.gz
portable=$(echo "$home"/kelvo-*-portable/bin)
check "the portable folder keeps its files beside its programs ($portable)" \
  grep -qF "$portable" <("${as_user[@]}" "$portable/kelvologger" --help)
check "nothing was written beside the installed programs" \
  test ! -e /usr/bin/logs -a ! -e /usr/bin/loggersettings.txt

echo "== remove with apt-get"
"${root[@]}" apt-get remove -y -qq kelvo >/dev/null
for f in /usr/bin/kelvologger /usr/bin/kelvologviewer /usr/bin/kelvosend \
  /usr/share/applications/org.kelvo.kelvologger.desktop \
  /usr/share/metainfo/org.kelvo.kelvologger.metainfo.xml; do
  check "removed: $f" test ! -e "$f"
done
echo "package-check: $checks passed, 0 failed"
