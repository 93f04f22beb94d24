# One day of 10003 route points on a road that zigzags north and south every
# 1000 points, 1.5 km each way: more points than are held at once, so one in
# two is kept, and always the last.
awk 'BEGIN {
  for (i = 0; i < 10003; i++) {
    z = i % 1000; if (z > 500) z = 1000 - z
    s = int(z / 10)
    printf "%d\t%.1f\t0:00\t%s\t\tRoute\t(11%02d%02d%d,4710%02d%d)\t\t500 m\r\n", i, i * 0.1,
      i == 10002 ? "Landeck" : "", int(i / 600) % 60, int(i / 10) % 60, i % 10, s % 60, z % 10
  }
}' > t.txt
