# The sample export, dropped from another folder as "Touren Sommer (2009)/Südtirol & Dolomiten.txt".
mkdir -p "Touren Sommer (2009)" && cp "$1/../../../examples/alpentour.txt" "Touren Sommer (2009)/Südtirol & Dolomiten.txt"
