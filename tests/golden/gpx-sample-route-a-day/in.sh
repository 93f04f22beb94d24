# The sample's road as a route a day, as some planners write it.
sed -e '/<trk>/d' -e '/<\/trk>/d' -e 's/<trkseg>/<rte>/' -e 's/<\/trkseg>/<\/rte>/' \
  -e 's/trkpt/rtept/g' "$1/../../../examples/alpentour.gpx" > t.gpx
