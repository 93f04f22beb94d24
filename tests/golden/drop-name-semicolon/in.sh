# The sample export, dropped from another folder as "Touren/Meran;Landeck.txt".
mkdir -p "Touren" && cp "$1/../../../examples/alpentour.txt" "Touren/Meran;Landeck.txt"
