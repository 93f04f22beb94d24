# The sample export and a second file, both dropped.
mkdir -p Touren && cp "$1/../../../examples/alpentour.txt" Touren/Tour.txt
printf "1\t0.0\n" > "Touren/Zweite Tour.txt"
