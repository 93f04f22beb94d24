#!/bin/sh
# Run one golden case and compare all that the program leaves behind.
#
#   golden.sh PROGRAM CASE
#
# CASE is a folder holding
#   args     the arguments, one a line (no file: no arguments)
#   status   the expected exit status
#   console  the expected console output
#   in/      the files of the folder the program runs in (may be missing)
#   in.sh    optional: makes further input files there, too big to keep
#   out/     the files that the run creates or changes there
# The program runs in a fresh copy of in/ with standard input from /dev/null,
# so that its pause never waits; afterwards that folder must hold in/ with
# out/ laid over it, byte for byte, and nothing else. Nothing may be written
# to standard error: that is where the sanitizers report.
#
# With ROVALTO_RUNNER set (to wine, say), PROGRAM runs through it, and the
# console output is compared with its CR LF line ends folded and without the
# pause prompt, which Windows' command interpreter words in its own way.
set -u
prog=$1
case=$2
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/run" "$tmp/want"
if [ -d "$case/in" ]; then
  cp -a "$case/in/." "$tmp/run/"
  cp -a "$case/in/." "$tmp/want/"
fi
if [ -f "$case/in.sh" ]; then
  (cd "$tmp/run" && sh "$case/in.sh") && (cd "$tmp/want" && sh "$case/in.sh") || exit 1
fi
[ -d "$case/out" ] && cp -a "$case/out/." "$tmp/want/"

set --
if [ -f "$case/args" ]; then
  while IFS= read -r arg; do set -- "$@" "$arg"; done < "$case/args"
fi
(cd "$tmp/run" && exec ${ROVALTO_RUNNER:-} "$prog" "$@" < /dev/null > "$tmp/console" \
  2> "$tmp/stderr")
status=$?
cp "$case/console" "$tmp/want-console"
if [ -n "${ROVALTO_RUNNER:-}" ]; then
  sed '/^Press any key to continue \. \. \. $/d' "$case/console" > "$tmp/want-console"
  tr -d '\r' < "$tmp/console" | sed 's/Press any key to continue\.\.\. //g' > "$tmp/folded"
  mv "$tmp/folded" "$tmp/console"
fi

fail=0
want=$(cat "$case/status")
if [ "$status" != "$want" ]; then
  echo "exit status: got $status, want $want"
  fail=1
fi
if ! cmp -s "$tmp/want-console" "$tmp/console"; then
  echo "console output differs (- want, + got):"
  diff -u "$tmp/want-console" "$tmp/console"
  fail=1
fi
if [ -s "$tmp/stderr" ]; then
  echo "standard error is not empty:"
  head -c 4000 "$tmp/stderr"
  fail=1
fi
if ! diff -r --no-dereference "$tmp/want" "$tmp/run" > "$tmp/diff"; then
  echo "files differ (< want, > got):"
  cat -A "$tmp/diff" | head -n 40
  fail=1
fi
exit $fail
