#!/bin/sh
# Starts uvola with its data files taken from the source tree's data/, so it
# runs without a system install; with no DISPLAY, on a virtual X server of
# its own. Usage: run-uvola.sh PROGRAM [uvola arguments...]
set -eu
program=$1
shift
data=$(cd "$(dirname "$0")/../data" && pwd)

# Each data file the source tree has, as a toolkit resource option. The
# resources are the application's ("uvola" is its instance name).
for pair in SiteFile:uvola.obs ConstDataFile:consname.dat StarNameDataFile:starname.dat \
            CometFile:comet.elm MPlanetFile:mp.elm SaoFile:uvola.sao \
            GscIndexFile:uvola.gsc SkyMarkFile:skymark.adf ClickDataFile:uvola.cdf; do
    resource=${pair%%:*}
    file=${pair#*:}
    if [ -e "$data/$file" ]; then
        set -- -xrm "uvola*$resource: $data/$file" "$@"
    fi
done

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
