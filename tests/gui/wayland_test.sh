#!/usr/bin/env bash
# Lumaro as a native Wayland client: under a headless compositor it opens a folder of real
# JPEGs named on its command line, stays up, and closes cleanly on SIGTERM (exit code 0, the
# folder saved in its settings). Skipped (77) only where the compositor cannot start at all.
#   wayland_test.sh LUMARO_BINARY
set -uo pipefail
lumaro=${1:?usage: wayland_test.sh LUMARO_BINARY}

work=$(mktemp -d "${TMPDIR:-/tmp}/lumaro-wayland.XXXXXX")
compositor=
cleanup() {
  [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; for f in "$work"/*.log; do echo "== $f"; cat "$f"; done; exit 1; }

# The compositor's socket lives in a runtime folder of this test alone, as the protocol asks.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
socket=lumaro-test
weston --backend=headless-backend.so --socket="$socket" --width=1366 --height=768 \
  --idle-time=0 >"$work/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  kill -0 "$compositor" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
  echo "SKIP: weston cannot start on this machine:"
  cat "$work/weston.log"
  exit 77
fi

# Numbered pictures, so that the folder opens without the first-numbering question.
pictures=$work/Vacances
mkdir -p "$pictures" "$work/home"
for i in 1 2 3; do
  convert -size 640x480 "plasma:" -quality 85 "$pictures/0${i}  Roma.jpg" ||
    fail "cannot make the sample pictures (ImageMagick)"
done

# The Wayland client library and the graphics driver it loads keep memory for the life of
# the process; under the sanitizers that would read as Lumaro's leak, which this test is not about.
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
  LUMARO_HOME=$work/home QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$socket \
  "$lumaro" "$pictures" >"$work/lumaro.log" 2>&1 &
program=$!
sleep 2
kill -0 "$program" 2>/dev/null || { wait "$program"; fail "Lumaro did not stay up (exit $?)"; }
kill -TERM "$program"
wait "$program"
status=$?
[ "$status" -eq 0 ] || fail "Lumaro ended with $status after SIGTERM"
grep -qiE "qt\.qpa|wayland|could not|failed" "$work/lumaro.log" && fail "platform errors"
grep -qF "$pictures" "$work/home/Lumaro.ini" || fail "the folder was not opened and saved"
echo "PASS: a Wayland client, folder opened, closed with exit code 0"
