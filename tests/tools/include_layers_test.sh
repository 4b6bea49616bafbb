#!/bin/sh
# tools/check_include_layers.py on small trees of one include each: a row
# is the including file, the header it includes and whether the check
# passes it (0) or refuses it (1). The kit sits below the dialogs.
#   include_layers_test.sh CHECK_INCLUDE_LAYERS
set -eu
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0
while read -r file header expected; do
    rm -rf "$tree"/*
    mkdir -p "$tree/$(dirname "$file")"
    printf '#include "%s"\n' "$header" > "$tree/$file"
    status=0
    /usr/bin/python3 "$check" "$tree" >/dev/null || status=$?
    if [ "$status" != "$expected" ]; then
        echo "$file including $header: status $status, expected $expected" >&2
        failures=$((failures + 1))
    fi
done <<'ROWS'
dialogs/kit/form_dialog.cpp dialogs/star_dialog.h 1
dialogs/kit/form_dialog.h dialogs/star_dialog_fields.h 1
dialogs/kit/form_dialog.cpp dialogs/kit/command_text.h 0
dialogs/kit/form_dialog.cpp command/interpreter.h 0
dialogs/star_dialog.cpp dialogs/kit/form_dialog.h 0
dialogs/star_dialog.cpp dialogs/star_dialog_fields.h 0
mainwin/toolbar.cpp dialogs/kit/press_repeat.h 0
sky/draw_sky.cpp dialogs/kit/command_text.h 1
command/interpreter.cpp dialogs/star_dialog.h 1
core/app_env.cpp nowhere/thing.h 1
ROWS
[ "$failures" = 0 ]
