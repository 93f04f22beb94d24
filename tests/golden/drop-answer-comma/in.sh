# The sample export, dropped from another folder as "Touren/Tour.txt".
mkdir -p "Touren" && cp "$1/../../../examples/alpentour.txt" "Touren/Tour.txt"
