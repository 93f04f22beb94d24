# The sample export, dropped from another folder as "Touren/Tour^1.txt".
mkdir -p "Touren" && cp "$1/../../../examples/alpentour.txt" "Touren/Tour^1.txt"
