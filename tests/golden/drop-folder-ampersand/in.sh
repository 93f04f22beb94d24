# The sample export, dropped from another folder as "Touren&Co/Tour.txt".
mkdir -p "Touren&Co" && cp "$1/../../../examples/alpentour.txt" "Touren&Co/Tour.txt"
