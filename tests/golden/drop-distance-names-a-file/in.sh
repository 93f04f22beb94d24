# The sample export dropped with the distances 20 30, beside a file named "20".
mkdir -p Touren && cp "$1/../../../examples/alpentour.txt" Touren/Tour.txt
