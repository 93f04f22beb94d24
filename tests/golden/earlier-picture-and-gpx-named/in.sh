# The sample converted on the command line by distances, beside the picture,
# the GPX file and three day files of a follow run.
cp "$1/../../../examples/alpentour.txt" t.txt
for f in t.svg t-stops.gpx t-day1.xml t-day2.xml t-day3.xml; do
  printf 'from an earlier run\r\n' > "$f"
done
