#!/bin/sh
# Run one golden case and compare all that the program leaves behind.
#
#   golden.sh PROGRAM CASE
#
# CASE is a folder holding
#   args     the arguments, one a line (no file: no arguments); a line
#            "@PATH" is the path of PATH in the run folder, in full: a Unix
#            path natively, a Windows one (Z:\...) through a runner
#   status   the expected exit status
#   console  the expected console output
#   in/      the files of the folder the program runs in (may be missing)
#   in.sh    optional: makes further input files there, too big to keep or
#            kept elsewhere in the project; it runs in that folder and gets
#            the case folder as its argument
#   out/     the files that the run creates or changes there
#   stdin    optional: "closed" runs the program with standard input closed,
#            "write-only" with standard input open for writing only
#   stdout   optional: "full" runs it with standard output on /dev/full,
#            "closed" with standard output closed, "> FILE" or ">> FILE"
#            redirected onto FILE in the run folder, as a shell does
#   left     optional: what the run must leave unread of standard input;
#            recorded for native cases with an input (Windows' PAUSE reads
#            in its own way)
#   stderr   optional: the expected standard error
#   input    optional: the text on standard input, in place of /dev/null
#   native   optional: the case runs natively only, never through a runner
#   windows  optional: the case runs through a runner (Wine) only
# The program runs in a fresh copy of in/ with standard input from /dev/null,
# so that its pause never waits. A run that takes more than 60 seconds fails,
# and so does one that writes a file past 64 MiB, so that a program that
# hangs or writes in a loop stops at once. Afterwards the folder must hold
# in/ with out/ laid over it, byte for byte, and nothing else; a FIFO that
# in/ or in.sh makes must still be one, and nothing is read from it. Without
# a stderr file nothing may be written to standard error: that is where the
# sanitizers report. After a run that exits 0, every .xml file the run
# created or changed, and every .svg file, must be well-formed XML (xmllint,
# of libxml2-utils), and every .gpx file valid against the GPX 1.1 schema in
# schemas/.
#
# With ROVALTO_RUNNER set (to wine, say), PROGRAM runs through it, and the
# console output is compared with its CR LF line ends folded and without the
# pause prompt, which Windows' command interpreter words in its own way.
#
# With ROVALTO_RECORD set, the case is not checked but recorded: what the run
# printed and returned goes to console and status, and out/ is made anew from
# the files the run created or changed (never links, never what in.sh makes).
# Review the result with git diff. Native runs only: a runner's console is
# folded and cannot be recorded.
set -u
abspath() { case $1 in /*) echo "$1" ;; */*) echo "$PWD/$1" ;; *) echo "$1" ;; esac; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
prog=$(abspath "$1")
schema=$(cd "$(dirname "$0")" && pwd)/schemas/gpx-1.1.xsd
case=$(cd "$2" && pwd) || exit 1
if [ -f "$case/windows" ] && [ -z "${ROVALTO_RUNNER:-}" ]; then
  echo "$case is for Windows only: it needs ROVALTO_RUNNER (wine)"
  exit 1
fi
if [ -f "$case/native" ] && [ -n "${ROVALTO_RUNNER:-}" ]; then
  echo "$case runs natively only, not through $ROVALTO_RUNNER"
  exit 1
fi
if [ -n "${ROVALTO_RECORD:-}" ] && [ -n "${ROVALTO_RUNNER:-}" ]; then
  echo "ROVALTO_RECORD: cases are recorded from native runs only, not through $ROVALTO_RUNNER"
  exit 1
fi
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/base" "$tmp/made"
[ -d "$case/in" ] && cp -a "$case/in/." "$tmp/base/"
if [ -f "$case/in.sh" ]; then
  (cd "$tmp/made" && sh "$case/in.sh" "$case") && cp -a "$tmp/made/." "$tmp/base/" || exit 1
fi
cp -a "$tmp/base" "$tmp/run"
cp -a "$tmp/base" "$tmp/want"
[ -d "$case/out" ] && cp -a "$case/out/." "$tmp/want/"

set --
if [ -f "$case/args" ]; then
  while IFS= read -r arg; do
    case $arg in
    @*)
      arg=$tmp/run/${arg#@}
      [ -n "${ROVALTO_RUNNER:-}" ] && arg=$(winpath "$arg")
      ;;
    esac
    set -- "$@" "$arg"
  done < "$case/args"
fi
set -- "$prog" "$@"
input=/dev/null
[ -f "$case/input" ] && input=$case/input
stdin=$(cat "$case/stdin" 2>/dev/null)
stdout=$(cat "$case/stdout" 2>/dev/null)
(
  cd "$tmp/run" || exit 1
  exec < "$input" > "$tmp/console" 2> "$tmp/stderr"
  case $stdin in closed) exec <&- ;; write-only) exec 0> /dev/null ;; esac
  case $stdout in
  full) exec > /dev/full ;;
  closed) exec >&- ;;
  ">> "*) exec >> "${stdout#>> }" ;;
  "> "*) exec > "${stdout#> }" ;;
  esac
  # In 512-byte blocks, as sh (dash) counts them.
  ulimit -f 131072
  if [ -f "$case/left" ] ||
    { [ -n "${ROVALTO_RECORD:-}" ] && [ -f "$case/native" ] && [ "$input" != /dev/null ]; }; then
    timeout 60 ${ROVALTO_RUNNER:-} "$@"
    status=$?
    cat > "$tmp/left"
    exit $status
  fi
  exec timeout 60 ${ROVALTO_RUNNER:-} "$@"
)
status=$?

# FIFOs are left out of every comparison, once they are found unchanged.
fifos=$(cd "$tmp/base" && find . -type p)
for f in $fifos; do
  if [ ! -p "$tmp/run/$f" ]; then
    echo "the run replaced the FIFO $f"
    exit 1
  fi
  rm -f "$tmp/base/$f" "$tmp/want/$f" "$tmp/run/$f"
done

if [ -n "${ROVALTO_RECORD:-}" ]; then
  echo "$status" > "$case/status"
  cp "$tmp/console" "$case/console"
  if [ -s "$tmp/stderr" ] || [ -f "$case/stderr" ]; then cp "$tmp/stderr" "$case/stderr"; fi
  [ -f "$tmp/left" ] && cp "$tmp/left" "$case/left"
  rm -rf "$case/out"
  (cd "$tmp/run" && find . -type f) | sort | while IFS= read -r f; do
    cmp -s "$tmp/base/$f" "$tmp/run/$f" && continue
    if [ -e "$tmp/made/$f" ]; then
      echo "not recorded: the run changed $f, which in.sh makes"
      exit 1
    fi
    mkdir -p "$case/out/${f%/*}"
    cp "$tmp/run/$f" "$case/out/$f"
  done || exit 1
  echo "recorded $case"
  exit 0
fi

cp "$case/console" "$tmp/want-console"
if [ -n "${ROVALTO_RUNNER:-}" ]; then
  sed '/^Press any key to continue \. \. \. $/d' "$case/console" > "$tmp/want-console"
  tr -d '\r' < "$tmp/console" | sed 's/Press any key to continue\.\.\. //g' > "$tmp/folded"
  mv "$tmp/folded" "$tmp/console"
fi

fail=0
if [ "$status" = 0 ]; then
  if ! command -v xmllint > /dev/null; then
    echo "xmllint is missing: apt-get install libxml2-utils"
    fail=1
  fi
  (cd "$tmp/run" && find . \( -name '*.xml' -o -name '*.svg' \) -type f) > "$tmp/xml-files"
  while IFS= read -r f; do
    cmp -s "$tmp/base/$f" "$tmp/run/$f" && continue
    if ! xmllint --noout "$tmp/run/$f" > "$tmp/xmllint" 2>&1; then
      echo "$f is not well-formed XML:"
      head -c 2000 "$tmp/xmllint"
      fail=1
    fi
  done < "$tmp/xml-files"
  (cd "$tmp/run" && find . -name '*.gpx' -type f) > "$tmp/gpx-files"
  while IFS= read -r f; do
    cmp -s "$tmp/base/$f" "$tmp/run/$f" && continue
    if ! xmllint --noout --schema "$schema" "$tmp/run/$f" > "$tmp/xmllint" 2>&1; then
      echo "$f is not valid GPX 1.1:"
      head -c 2000 "$tmp/xmllint"
      fail=1
    fi
  done < "$tmp/gpx-files"
fi
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
if [ -f "$case/stderr" ]; then
  [ -n "${ROVALTO_RUNNER:-}" ] && tr -d '\r' < "$tmp/stderr" > "$tmp/folded" && mv "$tmp/folded" "$tmp/stderr"
  if ! cmp -s "$case/stderr" "$tmp/stderr"; then
    echo "standard error differs (- want, + got):"
    diff -u "$case/stderr" "$tmp/stderr" | head -c 4000
    fail=1
  fi
elif [ -s "$tmp/stderr" ]; then
  echo "standard error is not empty:"
  head -c 4000 "$tmp/stderr"
  fail=1
fi
if [ -f "$case/left" ] && ! cmp -s "$case/left" "$tmp/left"; then
  echo "standard input left unread differs (- want, + got):"
  diff -u "$case/left" "$tmp/left" | head -c 4000
  fail=1
fi
if ! diff -r --no-dereference "$tmp/want" "$tmp/run" > "$tmp/diff"; then
  echo "files differ (< want, > got):"
  cat -A "$tmp/diff" | head -n 40
  fail=1
fi
exit $fail
