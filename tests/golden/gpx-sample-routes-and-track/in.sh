# The sample with its via points as a route before the track: the track is
# the road.
sed -e 's|^  <trk>|  <rte><rtept lat="47.265694" lon="11.393306"><name>Innsbruck</name></rtept><rtept lat="47.137306" lon="10.567833"><name>Landeck</name></rtept></rte>\r\n  <trk>|' \
  "$1/../../../examples/alpentour.gpx" > t.gpx
