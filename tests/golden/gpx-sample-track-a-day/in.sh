# The sample's road as a planner writes it: a track of a segment a day.
cp "$1/../../../examples/alpentour.gpx" alpentour.gpx
