# The sample export, dropped from another folder as "Touren/50%.txt".
mkdir -p "Touren" && cp "$1/../../../examples/alpentour.txt" "Touren/50%.txt"
