#!/bin/sh
# Make doc/alpentour.png, the sample's picture that README.md shows, again:
# follow the sample's route with PROGRAM in a folder of its own, then render
# the picture it draws with rsvg-convert (apt-get install librsvg2-bin).
#
#   sh doc/sample-picture.sh build/rovalto
set -eu
prog=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
doc=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$doc/../examples/alpentour.txt" "$tmp/"
(cd "$tmp" && "$prog" alpentour follow < /dev/null > /dev/null)
rsvg-convert -b white -o "$doc/alpentour.png" "$tmp/alpentour.svg"
echo "made $doc/alpentour.png"
