#!/bin/sh
# Make alpentour.gpx from alpentour.txt, as a route planner would write the
# same trip: a track of one segment a day, the places' names on their track
# points, and the POIs as waypoints before it. Positions in the export are
# degrees, minutes and seconds with tenths (1123359 is 11 23' 35.9"), here
# decimal degrees with six digits; the export's names, in Windows-1252, are
# UTF-8 here.
#   sh examples/make-alpentour-gpx.sh > examples/alpentour.gpx
set -eu
cd "$(dirname "$0")"
LC_ALL=C awk -F '\t' '
function degrees(dms,   sign, n) {
  sign = 1
  if (substr(dms, 1, 1) == "-") { sign = -1; dms = substr(dms, 2) }
  n = length(dms)
  return sign * (substr(dms, 1, n - 5) + substr(dms, n - 4, 2) / 60 + substr(dms, n - 2) / 36000)
}
function point(tag, indent, name,   lonlat) {
  lonlat = $7
  gsub(/[()]/, "", lonlat)
  split(lonlat, at, ",")
  printf "%s<%s lat=\"%.6f\" lon=\"%.6f\">", indent, tag, degrees(at[2]), degrees(at[1])
  gsub(/&/, "\\&amp;", name)
  gsub(/</, "\\&lt;", name)
  if (name != "") printf "<name>%s</name>", name
  printf "</%s>\r\n", tag
}
{ sub(/\r$/, "") }
$6 == "POI" { wpt[++nrWpt] = $0; next }
$6 == "Route" { if (!inDay) { day[++nrDays] = ""; inDay = 1 } day[nrDays] = day[nrDays] $0 "\n"; next }
{ inDay = 0 }
END {
  printf "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
  printf "<gpx version=\"1.1\" creator=\"make-alpentour-gpx.sh\" xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n"
  for (i = 1; i <= nrWpt; i++) { $0 = wpt[i]; point("wpt", "  ", $4) }
  printf "  <trk><name>Alpentour</name>\r\n"
  for (d = 1; d <= nrDays; d++) {
    printf "    <trkseg>\r\n"
    n = split(day[d], rows, "\n")
    for (i = 1; i < n; i++) { $0 = rows[i]; point("trkpt", "      ", $4) }
    printf "    </trkseg>\r\n"
  }
  printf "  </trk>\r\n</gpx>\r\n"
}' alpentour.txt | iconv -f WINDOWS-1252 -t UTF-8
