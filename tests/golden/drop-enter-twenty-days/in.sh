# Twenty days of three route points each, a minute of longitude east a
# day, dropped.
mkdir -p "Touren"
d=0
while [ $d -lt 20 ]; do
  [ $d -gt 0 ] && printf '\r\n'
  p=0
  while [ $p -lt 3 ]; do
    lon=$((1100000 + d * 1000 + p * 200))
    lat=$((4700000 + (p % 2) * 100))
    printf '%d\t%d.0\t0:00\t\t\tRoute\t(%d,%d)\t\t574 m\r\n' $((p + 1)) $((p * 20)) $lon $lat
    p=$((p + 1))
  done
  d=$((d + 1))
done > "Touren/Tour.txt"
