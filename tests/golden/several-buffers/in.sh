# An export whose tour and POI list fill the writers' 64 KiB buffers several
# times over, with rows of many lengths, so that a buffer's end falls anywhere
# within a row: 1500 route rows, each followed by three POIs.
awk 'BEGIN {
  letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN"
  for (i = 0; i < 1500; i++) {
    position = sprintf("(11%02d%02d%d,47%02d%02d%d)", i % 60, i * 7 % 60, i % 10,
                       i * 3 % 60, i * 11 % 60, i * 13 % 10)
    printf "%d\t%.1f\t0:00\t\t\tRoute\t%s\t\t%d m\r\n", i, i * 0.7, position, 500 + i
    for (j = 0; j < 3; j++)
      printf "\t\t\t%s %d\t\tPOI\t%s\t\t\r\n", substr(letters, 1, (i + j) % 41), j, position
  }
}' > big.txt
