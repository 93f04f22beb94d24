// The GPX reader: each shape a planner writes read into the rows an export
// gives, the days, names and positions as they stand in the file; hostile
// or empty files refused with where and why.
#include "input/gpx.h"
#include "input/place.h"
#include "tempfolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

const char head[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<gpx version=\"1.1\" creator=\"test\" "
                    "xmlns=\"http://www.topografix.com/GPX/1/1\">\n";

// The rows that reading document as t.gpx gives, a line each: "|" for a
// separator, "km name lon lat" for a route point, "POI name lon lat"; then
// what the reader found.
std::string Rows(const std::string &document, int passes = 1) {
  TempFolder folder("rovalto-gpxinput");
  std::string name = folder.path() + "/t.gpx";
  std::ofstream(name, std::ios::binary) << document;
  static ExportReader reader;
  if (!OpenExport(&reader, name.c_str())) return "not opened";
  std::string trace;
  for (int pass = 0; pass < passes; pass++) {
    if (pass > 0 && !RewindExport(&reader)) return "not rewound";
    trace.clear();
    static Row row;
    while (ReadExportRow(&reader, &row)) {
      if (row.length == 0) {
        trace += "|\n";
        continue;
      }
      Text km = KmOf(row);
      trace += km.length ? std::string(km.bytes, km.length) : std::string("POI");
      trace += " " + std::string(NameOf(row).bytes, NameOf(row).length);
      trace += " " + std::string(LongitudeOf(row).bytes, LongitudeOf(row).length);
      trace += " " + std::string(LatitudeOf(row).bytes, LatitudeOf(row).length) + "\n";
    }
  }
  const GpxFound &found = GpxFoundSoFar();
  if (found.refused) trace += std::string("refused: ") + found.error + "\n";
  if (found.nrOffGlobe) trace += "off the globe: " + std::to_string(found.nrOffGlobe) + "\n";
  if (ExportReadFailed(reader)) trace += "read failed\n";
  CloseExport(&reader);
  return trace;
}

std::string Point(const char *tag, const char *lat, const char *lon, const char *name = nullptr) {
  std::string point = std::string("<") + tag + " lat=\"" + lat + "\" lon=\"" + lon + "\">";
  if (name) point += std::string("<name>") + name + "</name>";
  return point + "</" + tag + ">\n";
}

TEST(GpxInput, EachShapeGivesItsDays) {
  std::string a = Point("trkpt", "0", "0", "A"), b = Point("trkpt", "0", "1"),
              c = Point("trkpt", "0", "2", "C");
  std::string r1 = Point("rtept", "0", "0", "Start"), r2 = Point("rtept", "0", "0.5", "Via");
  std::string wpt = Point("wpt", "0", "0.5", "Hut");
  const struct {
    const char *shape;
    std::string body;
    const char *rows;
  } cases[] = {
      {"a segment a day", "<trk><trkseg>" + a + b + "</trkseg><trkseg>" + b + c + "</trkseg></trk>",
       "0.0 A 00000 00000\n111.2  100000 00000\n|\n0.0  100000 00000\n111.2 C 200000 00000\n"},
      {"a track a day, waypoints after",
       "<trk><trkseg>" + a + b + "</trkseg></trk><trk><trkseg>" + b + c + "</trkseg></trk>" + wpt,
       "0.0 A 00000 00000\n111.2  100000 00000\n|\n0.0  100000 00000\n111.2 C 200000 00000\n"
       "POI Hut 50000 00000\n"},
      {"a route a day", wpt + "<rte>" + r1 + r2 + "</rte><rte>" + r2 + "</rte>",
       "POI Hut 50000 00000\n0.0 Start 00000 00000\n55.6 Via 50000 00000\n|\n0.0 Via 50000 "
       "00000\n"},
      {"both: the tracks", "<rte>" + r1 + r2 + "</rte><trk><trkseg>" + a + b + "</trkseg></trk>",
       "0.0 A 00000 00000\n111.2  100000 00000\n"},
      {"segments of one point", "<trk><trkseg>" + a + "</trkseg><trkseg>" + c + "</trkseg></trk>",
       "0.0 A 00000 00000\n|\n0.0 C 200000 00000\n"},
      {"a segment of one point before a longer one",
       "<trk><trkseg>" + c + "</trkseg><trkseg>" + a + b + "</trkseg><trkseg>" + c +
           "</trkseg></trk>",
       "0.0 C 200000 00000\n|\n0.0 A 00000 00000\n111.2  100000 00000\n|\n"
       "0.0 C 200000 00000\n"},
      {"segments of one point beside routes",
       "<rte>" + r1 + r2 + "</rte><trk><trkseg>" + a + "</trkseg></trk>",
       "0.0 Start 00000 00000\n55.6 Via 50000 00000\n"},
      {"a waypoint without a name is no POI", Point("wpt", "1", "1"), ""},
  };
  for (const auto &shape : cases) {
    SCOPED_TRACE(shape.shape);
    EXPECT_EQ(Rows(head + shape.body + "</gpx>\n"), shape.rows);
    // A second pass gives the same rows.
    EXPECT_EQ(Rows(head + shape.body + "</gpx>\n", 2), shape.rows);
  }
  // GPX 1.0, and names with a namespace prefix: the same elements.
  const char oneDay[] = "0.0 A 00000 00000\n111.2  100000 00000\n";
  EXPECT_EQ(Rows("<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\"><trk><trkseg>" +
                 a + b + "</trkseg></trk></gpx>"),
            oneDay);
  EXPECT_EQ(Rows("<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\"><g:trk><g:trkseg>"
                 "<g:trkpt lat=\"0\" lon=\"0\"><g:name>A</g:name></g:trkpt>"
                 "<g:trkpt lat=\"0\" lon=\"1\"/></g:trkseg></g:trk></g:gpx>"),
            oneDay);
}

TEST(GpxInput, PositionsAreRoundedOnTheirText) {
  const struct {
    const char *lat, *lon, *row;
  } cases[] = {
      {"47.123455", "-11.000005", "POI P -1100001 4712346\n"},
      {"47.1234549", "11", "POI P 1100000 4712345\n"},
      {"-0.000004", "+0.000005", "POI P 00001 00000\n"},
      {"90", "-180", "POI P -18000000 9000000\n"},
      {"0047.5", "7.", "POI P 700000 4750000\n"},
      {"90.000005", "0", "off the globe: 1\n"},
      {"0", "180", "off the globe: 1\n"},
      {"1e1", "0", "off the globe: 1\n"},
      {" 1", "0", "off the globe: 1\n"},
      {".5", "0", "off the globe: 1\n"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.lat) + " " + c.lon);
    EXPECT_EQ(Rows(head + Point("wpt", c.lat, c.lon, "P") + "</gpx>"), c.row);
  }
}

TEST(GpxInput, NamesAreTidied) {
  std::string umlauts(130, 'x');
  for (int i = 0; i < 80; i++)
    umlauts += "\xC3\xBC";
  const struct {
    std::string name, kept;
  } cases[] = {
      {"  Gasthof \r\n\t Alpenrose  ", "Gasthof Alpenrose"},
      {"Fish &amp; Chips <![CDATA[& more]]>", "Fish & Chips & more"},
      {umlauts, umlauts.substr(0, 130 + 2 * 62)},
  };
  for (const auto &c : cases) {
    std::string rows = Rows(head + Point("wpt", "1", "1", c.name.c_str()) + "</gpx>");
    EXPECT_EQ(rows, "POI " + c.kept + " 100000 100000\n");
  }
  // A link's name is not the point's.
  EXPECT_EQ(Rows(std::string(head) +
                 "<wpt lat=\"1\" lon=\"1\"><link href=\"x\"><text>L</text></link><name>N</name>"
                 "</wpt></gpx>"),
            "POI N 100000 100000\n");
}

TEST(GpxInput, FilesThatAreNoGpxAreRefused) {
  const struct {
    std::string document;
    const char *rows;
  } cases[] = {
      {std::string(head) + "<trk><trkseg>\n</trk></gpx>",
       "refused: line 4, column 3: mismatched tag\n"},
      {"<kml><Document/></kml>",
       "refused: line 1, column 1: the file's root is no <gpx> element\n"},
      {std::string(head) + "<metadata/></gpx>", "refused: it holds no track, route or waypoint\n"},
      {"", "refused: line 1, column 1: no element found\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Rows(c.document), c.rows);
}

} // namespace
