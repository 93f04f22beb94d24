# Several buffers of POI text for a full disk, so that the failure shows at
# a write, not only when the last buffer is flushed. The tour goes nowhere.
sh "$1/../several-buffers/in.sh"
ln -s /dev/full big.csv
ln -s /dev/null big.xml
