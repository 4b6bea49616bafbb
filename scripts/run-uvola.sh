#!/bin/sh
# Starts uvola with its data files taken from the source tree's data/, so it
# runs without a system install. With no DISPLAY it runs on a virtual X
# server of its own, and this says how to drive and see a program that no
# one can see. Usage: run-uvola.sh PROGRAM [uvola arguments...]
#
# Ctrl-C stops uvola and that server, and ends with status 0: make gets the
# same SIGINT from the terminal and would otherwise add a
# "make: *** [run] Error 130" line, as if something had failed.
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
# The pictures of the click data: a directory, named with its "/".
if [ -d "$data/image" ]; then
    set -- -xrm "uvola*ClickImagePath: $data/image/" "$@"
fi

# The options file uvola reads: in the home directory the user database
# gives, as the program itself finds it (HOME may point elsewhere).
options_file() {
    home=$(getent passwd "$(id -u)" | cut -d: -f6)
    echo "${home:-$HOME}/.uvola/options"
}

# The port of the first "SocketPort = N" line, as uvola reads the file (key
# in any case, first line wins); empty when there is none or it is no port.
socket_port() {
    [ -r "$1" ] || return 0
    awk 'tolower($0) ~ /^socketport[ \t]*=/ {
             sub(/^[^=]*=[ \t]*/, "")
             port = $0 + 0
             if (port >= 1 && port <= 65535) print port
             exit
         }' "$1"
}

# A line that sends commands to the port and prints the replies; "bye" makes
# uvola close the connection, which ends the client.
client_line() {
    if command -v nc >/dev/null 2>&1; then
        printf "%s\n" "printf '$2\\nbye\\n' | nc 127.0.0.1 $1"
    else
        printf "%s\n" "python3 -c 'import socket,sys; s=socket.create_connection((\"127.0.0.1\", $1)); s.sendall(sys.argv[1].encode() + b\"\\nbye\\n\"); print(s.makefile(errors=\"replace\").read())' '$2'"
    fi
}

explain_invisible_screen() {
    options=$(options_file)
    port=$(socket_port "$options")
    echo "No DISPLAY: uvola runs on an invisible screen (virtual X server $DISPLAY)."
    if [ -n "$port" ]; then
        echo "  Drive it over its command port, 127.0.0.1:$port (SocketPort in $options):"
    else
        echo "  To drive it over a command port, add the line 'SocketPort = 7000' to"
        echo "  $options and start it again. Then, e.g.:"
        port=7000
    fi
    printf '    %s\n' "$(client_line "$port" 'GSAVE /tmp/sky')"
    echo "  saves the chart as /tmp/sky.xpm, which any image viewer opens."
    echo "  The commands: README.md (Driving it) and doc/commands.md. Ctrl-C stops uvola."
}

work=$(mktemp -d "${TMPDIR:-/tmp}/uvola-run.XXXXXX")
xvfb_pid=""
uvola_pid=""
stop_everything() {
    for pid in $uvola_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    uvola_pid=""
    xvfb_pid=""
    rm -rf "$work"
}
trap stop_everything EXIT
trap 'stop_everything; exit 0' INT
trap 'stop_everything; exit 143' TERM

if [ -z "${DISPLAY:-}" ]; then
    # In a session of its own: the X server acts on SIGINT itself, and would
    # otherwise vanish under uvola at Ctrl-C, which then reports a broken
    # connection. Stopped by its pid instead, after uvola.
    setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    i=0
    while [ ! -s "$work/display" ] && [ $i -lt 200 ] && kill -0 "$xvfb_pid" 2>/dev/null; do
        sleep 0.05
        i=$((i + 1))
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
    explain_invisible_screen
fi

# In the background, so that a signal is handled at once rather than after
# uvola ends; a background command ignores SIGINT, so the trap stops it.
"$program" "$@" &
uvola_pid=$!
status=0
wait "$uvola_pid" || status=$?
uvola_pid=""
exit "$status"
