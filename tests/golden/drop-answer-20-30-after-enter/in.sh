# The sample dropped as "Touren/Tour.txt", beside what an Enter run on it
# left: its picture, its GPX file and its two day files.
mkdir -p "Touren" && cp "$1/../../../examples/alpentour.txt" "Touren/Tour.txt"
for f in Tour.svg Tour.gpx Tour-day1.xml Tour-day2.xml; do
  printf 'from an earlier run\r\n' > "Touren/$f"
done
