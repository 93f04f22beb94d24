# The sample export.
cp "$1/../../../examples/alpentour.txt" tour.txt
