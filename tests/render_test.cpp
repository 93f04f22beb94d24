// The sample's picture as a browser shows it: rendered by rsvg-convert (of
// librsvg2-bin), the dots of its locations have their day's colour, and a
// pixel far from every line and mark is the white background.
#include "tempfolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <png.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Dot {
  double x, y;
  std::string colour; // "#0072B2"
};

// The value of attribute name in the element that starts at at.
double Number(const std::string &svg, size_t at, const std::string &name) {
  size_t value = svg.find(" " + name + "=\"", at) + name.size() + 3;
  return std::stod(svg.substr(value, svg.find('"', value) - value));
}

// Every location's dot of the picture: its circles of radius 6.
std::vector<Dot> Dots(const std::string &svg) {
  std::vector<Dot> dots;
  for (size_t at = 0; (at = svg.find("<circle ", at)) != std::string::npos; at++) {
    size_t end = svg.find('>', at);
    if (svg.substr(at, end - at).find(" r=\"6\"") == std::string::npos) continue;
    size_t fill = svg.find(" fill=\"", at) + 7;
    dots.push_back({Number(svg, at, "cx"), Number(svg, at, "cy"), svg.substr(fill, 7)});
  }
  return dots;
}

// Every point the picture draws at: of its lines, its dots and its marks.
std::vector<std::pair<double, double>> DrawnPoints(const std::string &svg) {
  std::vector<std::pair<double, double>> points;
  for (size_t at = 0; (at = svg.find(" points=\"", at)) != std::string::npos;) {
    at += 9;
    std::istringstream list(svg.substr(at, svg.find('"', at) - at));
    double x, y;
    char comma;
    while (list >> x >> comma >> y)
      points.push_back({x, y});
  }
  for (const char *tag : {"<circle ", "<rect x="}) {
    bool circle = tag[1] == 'c';
    for (size_t at = 0; (at = svg.find(tag, at)) != std::string::npos; at++)
      points.push_back(
          {Number(svg, at, circle ? "cx" : "x"), Number(svg, at, circle ? "cy" : "y")});
  }
  return points;
}

TEST(Render, SampleShowsItsDotsOnWhite) {
  ASSERT_EQ(system("command -v rsvg-convert > /dev/null"), 0)
      << "rsvg-convert is missing: apt-get install librsvg2-bin";
  const std::string picture = ROVALTO_GOLDEN "/follow-sample/out/alpentour.svg";
  std::ifstream file(picture, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string svg = text.str();
  ASSERT_FALSE(svg.empty());

  TempFolder folder("rovalto-render");
  ASSERT_FALSE(folder.path().empty());
  const std::string png = folder.path() + "/alpentour.png";
  ASSERT_EQ(system(("rsvg-convert -b white -o '" + png + "' '" + picture + "'").c_str()), 0);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, png.c_str())) << image.message;
  image.format = PNG_FORMAT_RGB;
  ASSERT_EQ(image.width, 1200u);
  ASSERT_EQ(image.height, 900u);
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
  auto pixel = [&](double x, double y) {
    size_t at = (static_cast<size_t>(y) * image.width + static_cast<size_t>(x)) * 3;
    char colour[8];
    snprintf(colour, sizeof colour, "#%02X%02X%02X", pixels[at], pixels[at + 1], pixels[at + 2]);
    return std::string(colour);
  };

  // The first, a middle and the last location of the trip. The day's lines
  // have the dot's colour too, but no line 3 px wide covers all four pixels
  // 4 px from a dot's centre.
  std::vector<Dot> dots = Dots(svg);
  // The tour file's 14 locations.
  ASSERT_EQ(dots.size(), 14u);
  // The last one lies under the Landeck POI's marker.
  for (size_t i : {size_t{0}, dots.size() / 2, dots.size() - 2})
    for (const auto &off : {std::pair<int, int>{4, 0}, {-4, 0}, {0, 4}, {0, -4}})
      EXPECT_EQ(pixel(dots[i].x + off.first, dots[i].y + off.second), dots[i].colour)
          << "dot " << i << " at " << dots[i].x << "," << dots[i].y;

  // Every POI's marker shows, above any dot: its middle is its grey.
  size_t markers = 0;
  for (size_t at = 0; (at = svg.find("<rect x=", at)) != std::string::npos; at++) {
    if (svg.compare(svg.find(" width=", at), 10, " width=\"6\"") != 0) continue;
    markers++;
    double x = Number(svg, at, "x") + 3, y = Number(svg, at, "y") + 3;
    EXPECT_EQ(pixel(x, y), "#555555") << "POI at " << x << "," << y;
  }
  EXPECT_EQ(markers, 12u);

  // A pixel 40 px or more from every point drawn, outside the legend's box.
  std::vector<std::pair<double, double>> drawn = DrawnPoints(svg);
  bool found = false;
  for (double y = 120; y < 840 && !found; y += 10)
    for (double x = 300; x < 1160 && !found; x += 10) {
      bool far = true;
      for (const auto &p : drawn)
        far &= (p.first - x) * (p.first - x) + (p.second - y) * (p.second - y) >= 40 * 40;
      if (!far) continue;
      found = true;
      EXPECT_EQ(pixel(x, y), "#FFFFFF") << x << "," << y;
    }
  EXPECT_TRUE(found);
}

} // namespace
