// The sample's GPX file read back whole against the export it came from:
// every POI a waypoint, every route point of each day a point of its track
// segment, in order and at the same place, and one route a day from the
// day's start to its end.
#include "input/reader.h"
#include "input/route.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A point as the GPX file or the export gives it, in 1/100000 degree.
struct Place {
  long long latitude, longitude;
  bool operator==(const Place &other) const {
    return latitude == other.latitude && longitude == other.longitude;
  }
};

// A decimal degree text, "47.21953" or "-05.20958", in 1/100000 degree.
long long Units(const std::string &text) {
  size_t point = text.find('.');
  if (point == std::string::npos) {
    ADD_FAILURE() << "no decimal point: " << text;
    return 0;
  }
  EXPECT_EQ(text.size() - point - 1, 5u) << text;
  std::string digits = text;
  digits.erase(point, 1);
  return std::stoll(digits);
}

// The value of attribute name in element text.
std::string Attribute(const std::string &text, const std::string &name) {
  size_t at = text.find(" " + name + "=\"");
  if (at == std::string::npos) return "";
  at += name.size() + 3;
  return text.substr(at, text.find('"', at) - at);
}

// Each element of the given tag in gpx: its place and its name ("" for none).
struct Element {
  Place place;
  std::string name;
};

// The elements of tag in gpx, grouped by the groups that hold them
// (rte, trkseg), or in one group for the waypoints.
std::vector<std::vector<Element>> Elements(const std::string &gpx, const std::string &tag,
                                           const std::string &group) {
  std::vector<std::vector<Element>> groups;
  if (group.empty()) groups.emplace_back();
  for (size_t at = 0; (at = gpx.find('<', at)) != std::string::npos; at++) {
    if (!group.empty() && gpx.compare(at, group.size() + 2, "<" + group + ">") == 0)
      groups.emplace_back();
    if (gpx.compare(at, tag.size() + 2, "<" + tag + " ") != 0) continue;
    std::string element = gpx.substr(at, gpx.find('>', at) - at);
    Element e = {{Units(Attribute(element, "lat")), Units(Attribute(element, "lon"))}, ""};
    size_t name = gpx.find("<name>", at), end = gpx.find('\n', at);
    if (name < end) e.name = gpx.substr(name + 6, gpx.find("</name>", name) - name - 6);
    groups.back().push_back(e);
  }
  return groups;
}

TEST(Gpx, SampleReadsBackWhole) {
  std::ifstream file(ROVALTO_GOLDEN "/follow-sample/out/alpentour-stops.gpx", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string gpx = text.str();
  ASSERT_FALSE(gpx.empty());

  // What the export holds: its POIs, and its route points day by day.
  static ExportReader reader;
  static Row row;
  ASSERT_TRUE(OpenExport(&reader, ROVALTO_SAMPLE));
  std::vector<Place> pois;
  std::vector<std::vector<Place>> days;
  RouteWalk walk = walkStart;
  while (ReadExportRow(&reader, &row)) {
    RoutePoint point;
    if (WalkRow(&walk, row, &point) == stepPoint) {
      if (walk.ordinal == 0) days.emplace_back();
      days.back().push_back({point.latitude, point.longitude});
    } else if (row.columnLength[kmColumn] == 0 && row.columnLength[nameColumn] > 0 &&
               PositionOnGlobe(row, &point)) {
      pois.push_back({point.latitude, point.longitude});
    }
  }
  CloseExport(&reader);
  ASSERT_EQ(pois.size(), 12u);
  ASSERT_EQ(days.size(), 2u);

  std::vector<Element> waypoints = Elements(gpx, "wpt", "")[0];
  ASSERT_EQ(waypoints.size(), pois.size());
  for (size_t i = 0; i < pois.size(); i++)
    EXPECT_EQ(waypoints[i].place, pois[i]) << "waypoint " << i;
  EXPECT_EQ(waypoints[0].name, "Gasthof Alpenrose, K\xC3\xBChtai");

  std::vector<std::vector<Element>> segments = Elements(gpx, "trkpt", "trkseg");
  ASSERT_EQ(segments.size(), days.size());
  for (size_t d = 0; d < days.size(); d++) {
    ASSERT_EQ(segments[d].size(), days[d].size()) << "day " << d + 1;
    for (size_t i = 0; i < days[d].size(); i++)
      EXPECT_EQ(segments[d][i].place, days[d][i]) << "day " << d + 1 << ", point " << i;
  }

  // Each route from its day's start to its end, through route points in
  // route order, at most 14 of them after the start.
  std::vector<std::vector<Element>> routes = Elements(gpx, "rtept", "rte");
  ASSERT_EQ(routes.size(), days.size());
  const char *const ends[] = {"Meran (160.0 km)", "Landeck (215.2 km)"};
  for (size_t d = 0; d < days.size(); d++) {
    const std::vector<Element> &route = routes[d];
    ASSERT_GE(route.size(), 2u);
    EXPECT_LE(route.size(), 15u);
    EXPECT_EQ(route.front().place, days[d].front());
    EXPECT_EQ(route.back().place, days[d].back());
    EXPECT_EQ(route.back().name, ends[d]);
    size_t i = 0;
    for (const Element &point : route) {
      while (i < days[d].size() && !(days[d][i] == point.place))
        i++;
      EXPECT_LT(i, days[d].size()) << "day " << d + 1 << ": " << point.name << " off the route";
    }
  }
}

// The whole text of the golden file name of the sample.
std::string GoldenFile(const char *name) {
  std::ifstream file(std::string(ROVALTO_GOLDEN "/follow-sample/out/") + name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The picture's dots are the locations of the tour file the rider copies:
// the same names, in the same order.
TEST(Gpx, SamplePictureShowsItsTourFile) {
  const std::string tour = GoldenFile("alpentour.xml"), svg = GoldenFile("alpentour.svg");
  ASSERT_FALSE(tour.empty());
  ASSERT_FALSE(svg.empty());
  std::vector<std::string> items, dots;
  // The tour file's names after its placeholder, without their "Day N: ".
  for (size_t at = tour.find("<type>poi</type>");
       (at = tour.find("<name>", at)) != std::string::npos;) {
    at += 6;
    std::string name = tour.substr(at, tour.find("</name>", at) - at);
    items.push_back(name.substr(name.find(": ") + 2));
  }
  for (size_t at = 0; (at = svg.find("<g><title>", at)) != std::string::npos;) {
    at += 10;
    dots.push_back(svg.substr(at, svg.find("</title>", at) - at));
  }
  EXPECT_EQ(dots, items);
  EXPECT_EQ(items.size(), 14u);
}

} // namespace
