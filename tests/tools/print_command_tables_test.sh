#!/bin/sh
# print_command_tables --dictionary: each word of every table once, each line
# a quoted word with every byte outside printable ASCII, the backslash and
# the quote escaped, so that libFuzzer reads it; the words the commands take
# as arguments are among the tables; anything else on the command line is
# refused.
#   print_command_tables_test.sh PRINT_COMMAND_TABLES
set -eu
tables=$1
fail() { echo "print_command_tables: $*" >&2; exit 1; }

"$tables" | grep -qx 'view ANGLE 1' || fail "the VIEW words are not printed"
dictionary=$("$tables" --dictionary)
bad=$(printf '%s\n' "$dictionary" | LC_ALL=C grep -cvE '^"([ !#-[]|[]-~]|\\\\|\\"|\\x[0-9A-F]{2})+"$' || true)
[ "$bad" = 0 ] || fail "$bad dictionary lines are no quoted, escaped word"
words=$("$tables" | cut -d' ' -f2 | LC_ALL=C sort -u | wc -l)
[ "$(printf '%s\n' "$dictionary" | wc -l)" = "$words" ] || fail "the dictionary does not hold each word once"
for word in '"SUNRISE"' '"STARDATA"' '"PERIOD"' '"\xA5\xAC\xA5\xEA\xA5\xEC\xA5\xAA\xB1\xD2\xC0\xB1"'; do
    printf '%s\n' "$dictionary" | grep -qxF "$word" || fail "the dictionary lacks $word"
done
if "$tables" --nonsense 2>/dev/null; then
    fail "an unknown flag is taken"
fi
