# The sample export, dropped from another folder as "Touren/Tour Łódź.txt".
mkdir -p "Touren" && cp "$1/../../../examples/alpentour.txt" "Touren/Tour Łódź.txt"
