# The sample export in a folder and under a name that need quoting.
mkdir "Touren Sommer (2009)"
cp "$1/../../../examples/alpentour.txt" "Touren Sommer (2009)/Südtirol & Dolomiten.txt"
