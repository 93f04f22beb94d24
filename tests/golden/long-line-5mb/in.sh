# One line of 5 MB without a line end: 5000 rows of 1000 bytes.
head -c 5000000 /dev/zero | tr '\0' x > t.txt
