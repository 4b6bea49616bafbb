#!/bin/sh
# Starts uvola on $DISPLAY; with no DISPLAY, on a virtual X server of its own.
set -eu
program=$1
shift
if [ -n "${DISPLAY:-}" ]; then
    exec "$program" "$@"
fi

echo "No DISPLAY set: starting a virtual X server (Xvfb) for uvola."
work=$(mktemp -d "${TMPDIR:-/tmp}/uvola-run.XXXXXX")
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT INT TERM
i=0
while [ ! -s "$work/display" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
[ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
echo "Virtual X server on display $DISPLAY (pid $xvfb_pid)."
"$program" "$@"
