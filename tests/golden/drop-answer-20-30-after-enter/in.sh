# The sample dropped as "Touren/Tour.txt", beside the day files an Enter
# run on it left; its picture and GPX file are written anew.
mkdir -p "Touren" && cp "$1/../../../examples/alpentour.txt" "Touren/Tour.txt"
for f in Tour-day1.xml Tour-day2.xml; do
  printf 'from an earlier run\r\n' > "Touren/$f"
done
