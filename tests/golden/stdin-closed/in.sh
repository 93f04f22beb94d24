# A POI file that cannot be opened, so that a pause comes while the export,
# larger than the C library's first read, is open.
mkdir b.csv
