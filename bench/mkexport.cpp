// Writes a deterministic, realistic tour planner export of a given size to
// standard output, for benchmarks and the constant-memory test:
//
//   mkexport SIZE [SEED]     SIZE in bytes, or with a k, M or G suffix
//
// About 80 % route rows with growing distances, 15 % named POIs and 5 % empty
// lines that start a new day at 0 km; CR LF line ends; names in Windows-1252.
// The output ends with the first line that reaches SIZE.
#include "random.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

static Random generator;

// Degrees in millionths as DMS digits: degrees, minutes, seconds and tenths.
static void PrintDMS(char *text, size_t size, long millionths) {
  long tenths = millionths * 36 / 1000; // tenths of a second
  snprintf(text, size, "%02ld%02ld%03ld", tenths / 36000, tenths / 600 % 60, tenths % 600);
}

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3) {
    fprintf(stderr, "usage: mkexport SIZE [SEED]\n");
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
