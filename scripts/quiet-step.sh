#!/bin/sh
# Runs one build step with a single line on the terminal: its output goes to
# a log file, whose end is shown only when the step fails.
# Usage: quiet-step.sh MESSAGE LOG COMMAND [ARGS...]
set -u
message=$1
log=$2
shift 2
mkdir -p "$(dirname "$log")"
echo "$message (log: $log)"
"$@" >"$log" 2>&1 && exit 0
status=$?
tail -n 40 "$log" >&2
echo "Failed (status $status); the whole output is in $log" >&2
exit "$status"
