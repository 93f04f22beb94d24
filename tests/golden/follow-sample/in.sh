# The bundled sample export, as riders get it: two days, Innsbruck to Meran
# and Meran to Landeck.
cp "$1/../../../examples/alpentour.txt" .
