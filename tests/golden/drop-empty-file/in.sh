# An empty file dropped.
mkdir -p "Touren" && : > "Touren/Leer.txt"
