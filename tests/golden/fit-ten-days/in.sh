# Ten days (or $DAYS) of 30 km each, a route point every 2.5 km, an empty
# line between two days: no pair of equal distances gives 1 to 14 locations.
awk -v days="${DAYS:-10}" 'BEGIN {
  for (day = 0; day < days; day++) {
    if (day > 0) printf "\r\n"
    for (i = 0; i <= 12; i++)
      printf "%d\t%.1f\t0:00\t\t\tRoute\t(11%02d000,47%02d000)\t\t500 m\r\n", i, i * 2.5, day, i
  }
}' > t.txt
