// The same road as an export and as a GPX file: follow chooses the same
// locations from both, for every golden export whose route points lie on
// the globe. The GPX file is a track of a segment a day, its positions the
// export's to the hundred-thousandth; names and distances may differ, since
// an export's distances are the road's and a GPX file's the globe's.
#include "input/place.h"
#include "input/reader.h"
#include "input/route.h"
#include "tempfolder.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

std::string Contents(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Degrees(int32_t units) {
  char text[32];
  snprintf(text, sizeof text, "%s%d.%05d", units < 0 ? "-" : "", std::abs(units) / 100000,
           std::abs(units) % 100000);
  return text;
}

// The export at path as a GPX track; "" when it has no route point.
std::string AsGpx(const std::string &path) {
  static ExportReader reader;
  if (!OpenExport(&reader, path.c_str())) return "";
  std::string gpx = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"t\"><trk>\n";
  RouteWalk walk = walkStart;
  static Row row;
  Place place = {};
  size_t points = 0;
  bool open = false;
  auto take = [&](const Place &p) {
    if (p.step == stepDayEnd && open) gpx += "</trkseg>\n", open = false;
    if (p.step != stepPoint) return;
    if (!open) gpx += "<trkseg>\n", open = true;
    gpx += "<trkpt lat=\"" + Degrees(p.position.latitude) + "\" lon=\"" +
           Degrees(p.position.longitude) + "\"/>\n";
    points++;
  };
  while (ReadExportRow(&reader, &row)) {
    TakePlace(&row, &walk, &place);
    take(place);
  }
  if (TakeEnd(&walk, &row, place.position, &place)) take(place);
  CloseExport(&reader);
  return points ? gpx + "</trk></gpx>\n" : "";
}

// The positions of every location of the tour files that "rovalto NAME
// follow" writes in folder.
std::string Locations(const std::string &folder, const std::string &name) {
  std::string command =
      "cd '" + folder + "' && '" ROVALTO_PROGRAM "' " + name + " follow < /dev/null > console";
  if (system(command.c_str()) != 0) return "run failed: " + Contents(folder + "/console");
  std::string all;
  for (std::string file = "t.xml", d = "1";; d = std::to_string(std::stoi(d) + 1)) {
    std::string xml = Contents(folder + "/" + file);
    if (xml.empty()) break;
    all += file + ":";
    auto value = [&](const char *tag, size_t at) {
      size_t from = xml.find(tag, at) + strlen(tag);
      return xml.substr(from, xml.find('<', from) - from);
    };
    // As numbers: an export's degrees may have leading zeros, a GPX file's
    // none.
    for (size_t at = 0; (at = xml.find("<lat>", at)) != std::string::npos; at++)
      all += " " + std::to_string(std::stol(value("<lat>", at))) + "/" +
             std::to_string(std::stol(value("<long>", at)));
    all += "\n";
    file = "t-day" + d + ".xml";
  }
  return all;
}

TEST(GpxRoad, FollowTakesTheExportsLocations) {
  size_t compared = 0;
  for (const auto &entry : std::filesystem::directory_iterator(ROVALTO_GOLDEN)) {
    std::filesystem::path in = entry.path() / "in";
    if (!std::filesystem::is_directory(in)) continue;
    for (const auto &file : std::filesystem::directory_iterator(in)) {
      if (file.path().extension() != ".txt" || !file.is_regular_file()) continue;
      std::string gpx = AsGpx(file.path().string());
      if (gpx.empty()) continue;
      SCOPED_TRACE(file.path().string());
      TempFolder asExport("rovalto-road"), asGpx("rovalto-road");
      std::filesystem::copy_file(file.path(), asExport.path() + "/t.txt");
      std::ofstream(asGpx.path() + "/t.gpx", std::ios::binary) << gpx;
      std::string fromExport = Locations(asExport.path(), "t.txt");
      EXPECT_EQ(Locations(asGpx.path(), "t.gpx"), fromExport);
      compared++;
    }
  }
  EXPECT_GE(compared, 20u);
}

} // namespace
