# The bundled sample export, as riders get it.
cp "$1/../../../examples/alpentour.txt" .
