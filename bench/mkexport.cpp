// Writes a deterministic, realistic tour planner export of a given size to
// standard output, for benchmarks and the constant-memory test:
//
//   mkexport SIZE [SEED]     SIZE in bytes, or with a k, M or G suffix
//   mkexport --days DAYS POINTS [SEED [STEP]]
//   mkexport --gpx DAYS POINTS [SEED [STEP]]
//
// About 80 % route rows with growing distances, 15 % named POIs and 5 % empty
// lines that start a new day at 0 km; CR LF line ends; names in Windows-1252.
// The output ends with the first line that reaches SIZE. With --days, DAYS
// days of POINTS route points each, a road whose heading wanders, a route
// point about every STEP tenths of a km (5 unless given), a place name at
// each day's end. With --gpx, the same road as a GPX file, as planners write
// it: a track of a segment a day, each point with its elevation and time.
#include "random.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

static Random generator;

// Degrees in millionths as DMS digits: degrees, minutes, seconds and tenths.
static void PrintDMS(char *text, size_t size, long millionths) {
  long tenths = millionths * 36 / 1000; // tenths of a second
  snprintf(text, size, "%02ld%02ld%03ld", tenths / 36000, tenths / 600 % 60, tenths % 600);
}

// Write days of points route points each: a road whose heading wanders, in
// steps of about step tenths of a km, in the north-east quarter of the
// globe, where the DMS digits need no sign.
static int PrintDays(unsigned long days, unsigned long points, unsigned long step, bool gpx) {
  double scale = static_cast<double>(step) / 5;
  double lon = 11400000, lat = 47260000; // millionths of a degree
  double c = 1, s = 0;                   // the heading, as a unit vector
  unsigned long n = 1;
  if (gpx && printf("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" "
                    "creator=\"mkexport\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                    "<trk><name>mkexport</name>\n") < 0)
    return 1;
  for (unsigned long day = 1; day <= days; day++) {
    if (gpx && printf("<trkseg>\n") < 0) return 1;
    for (unsigned long i = 0; i < points; i++, n++) {
      char lonText[32], latText[32];
      PrintDMS(lonText, sizeof lonText, static_cast<long>(lon));
      PrintDMS(latText, sizeof latText, static_cast<long>(lat));
      const char *name = i + 1 == points ? "Landeck" : "";
      unsigned long km10 = i * step;
      long lonUnits = static_cast<long>(lon), latUnits = static_cast<long>(lat);
      int written = gpx ? printf("<trkpt lat=\"%ld.%06ld\" lon=\"%ld.%06ld\"><ele>1000</ele>"
                                 "<time>2009-05-%02luT08:%02lu:%02luZ</time></trkpt>\n",
                                 latUnits / 1000000, latUnits % 1000000, lonUnits / 1000000,
                                 lonUnits % 1000000, (day - 1) % 28 + 1, i / 60 % 60, i % 60)
                        : printf("%lu\t%lu.%lu\t0:00\t%s\t\tRoute\t(%s,%s)\t\t1000 m\r\n", n,
                                 km10 / 10, km10 % 10, name, lonText, latText);
      if (written < 0) return 1;
      // A turn of up to 0.25 radians, by Taylor's series and square roots
      // only, so that every platform makes the same road.
      double a = (static_cast<double>(generator.Below(2001)) - 1000) / 4000, a2 = a * a;
      double ca = 1 - a2 / 2 + a2 * a2 / 24, sa = a - a * a2 / 6 + a * a2 * a2 / 120;
      double turnedC = c * ca - s * sa, turnedS = s * ca + c * sa;
      double length = std::sqrt(turnedC * turnedC + turnedS * turnedS);
      c = turnedC / length;
      s = turnedS / length;
      // A road that reaches the edge of that quarter turns back.
      if (lon + 6600 * scale * c < 1e6 || lon + 6600 * scale * c > 170e6) c = -c;
      if (lat + 4500 * scale * s < 1e6 || lat + 4500 * scale * s > 80e6) s = -s;
      lon += 6600 * scale * c;
      lat += 4500 * scale * s;
    }
    if (gpx ? printf("</trkseg>\n") < 0 : day < days && printf("\r\n") < 0) return 1;
  }
  if (gpx && printf("</trk>\n</gpx>\n") < 0) return 1;
  return fflush(stdout) != 0;
}

int main(int argc, char **argv) {
  bool gpx = argc >= 2 && std::string(argv[1]) == "--gpx";
  if (argc >= 4 && argc <= 6 && (gpx || std::string(argv[1]) == "--days")) {
    generator.state = argc >= 5 ? strtoull(argv[4], nullptr, 10) : 2009;
    unsigned long step = argc == 6 ? strtoul(argv[5], nullptr, 10) : 5;
    return PrintDays(strtoul(argv[2], nullptr, 10), strtoul(argv[3], nullptr, 10), step, gpx);
  }
  if (argc < 2 || argc > 3) {
    fprintf(stderr,
            "usage: mkexport SIZE [SEED]\n       mkexport --days DAYS POINTS [SEED [STEP]]\n"
            "       mkexport --gpx DAYS POINTS [SEED [STEP]]\n");
    return 2;
  }
  char *suffix;
  unsigned long long size = strtoull(argv[1], &suffix, 10);
  switch (*suffix) {
  case 'G': size <<= 10; [[fallthrough]];
  case 'M': size <<= 10; [[fallthrough]];
  case 'k': size <<= 10;
  }
  generator.state = argc == 3 ? strtoull(argv[2], nullptr, 10) : 2009;

  // Windows-1252 umlauts, each literal split where a hex escape would run on.
  static const char *const names[] = {"Gasthof Alpenrose",
                                      "Tankstelle \xD6tztal",
                                      "Motorradtreff S\xF6lden",
                                      "Caf\xE9 Zentral",
                                      "B\xE4"
                                      "ckerei M\xFCller",
                                      "Aussichtspunkt Passh\xF6he",
                                      "Hotel Sch\xF6ne Aussicht",
                                      "Br\xFC"
                                      "cke \xFC"
                                      "ber den Inn",
                                      "Gro\xDFglockner Kasse"};
  long lon = 11400000, lat = 47260000; // millionths of a degree, near Innsbruck
  long km10 = 0;                       // route distance in tenths of a km
  unsigned long long written = 0;
  for (unsigned long n = 1; written < size; n++) {
    lon += static_cast<long>(generator.Below(4001)) - 2000;
    lat += static_cast<long>(generator.Below(3001)) - 1500;
    char lonText[32], latText[32];
    PrintDMS(lonText, sizeof lonText, lon);
    PrintDMS(latText, sizeof latText, lat);

    uint32_t kind = generator.Below(100);
    int len;
    if (kind < 5) {
      km10 = 0;
      len = printf("\r\n");
    } else if (kind < 20) {
      len = printf("%lu\t\t\t%s %lu\t\tPOI\t(%s,%s)\t\t\r\n", n,
                   names[generator.Below(std::size(names))], n, lonText, latText);
    } else {
      km10 += 1 + generator.Below(30);
      len = printf("%lu\t%ld.%ld\t%ld:%02ld\t\tB%u\tRoute\t(%s,%s)\t\t%u m\r\n", n, km10 / 10,
                   km10 % 10, km10 / 450, km10 * 60 / 450 % 60, 100 + generator.Below(300), lonText,
                   latText, 500 + generator.Below(2000));
    }
    if (len < 0) return 1;
    written += static_cast<unsigned long long>(len);
  }
  return fflush(stdout) != 0;
}
