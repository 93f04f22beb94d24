// The picture. Every figure in it is worked out from whole units and the
// program's own sine, cosine and arc sine, and written in tenths of a px from whole numbers,
// so that Linux and Windows draw it to the byte. A route line leaves out
// points closer than half a px to the last one drawn: the picture stays
// small, and no pixel changes for it.
#include "output/svgwriter.h"

#include "base/globe.h"
#include "base/wedge.h"
#include "base/xmltext.h"
#include "input/route.h"
#include "output/tourwriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

// Days the legend names at most; the rest it counts.
constexpr size_t maxLegendDays = 14;

// Markers drawn for POIs at most; the legend counts them all.
constexpr Count maxPoiMarkers = 2000;

// What the writer takes from the rows it is passed.
enum SvgPart {
  svgRoutes, // the writing pass: each day's route line
  svgPlaces, // the next pass: the choices, the locations and the POIs
  svgDone,   // nothing more
};

// Where the trip lies on the picture: an azimuthal equidistant projection
// about the first place seen, north up there, km from it true, so that no
// meridian, pole or 180th meridian tears the trip apart; px = left + (x -
// least x) * pxPerKm, py = top + (greatest y - y) * pxPerKm.
struct SvgFrame {
  Apex centre;          // the first place seen
  double leastX, mostY; // km east and north of the centre: the trip's left and top
  double left, top;     // their px
  double pxPerKm;       // the scale
};

// A point of the picture in tenths of a px, as it is written.
struct SvgPoint {
  int64_t x, y;
};

// Where the trip's route points and POIs on the globe lie.
struct TripArea {
  Apex centre;          // the first place seen: the projection's centre
  double leastX, mostX; // the least and the greatest km east of it
  double leastY, mostY; // and north of it
  Count nrPlaces;       // route points and POIs
};

// p in km east and north of centre, on the azimuthal equidistant
// projection: in its direction from centre, as far as it is on the globe.
static void Project(const Apex &centre, Vector p, double *x, double *y) {
  double east, north;
  Towards(centre, p, &east, &north);
  double sine = std::sqrt(east * east + north * north);
  Vector d = {p.x - centre.at.x, p.y - centre.at.y, p.z - centre.at.z};
  double km = ChordKm(Dot(d, d));
  if (sine == 0) {
    // The centre itself, or its antipode: due south, half a great circle
    // away.
    *x = 0;
    *y = km > 1 ? -km : 0;
    return;
  }
  *x = east / sine * km;
  *y = north / sine * km;
}

// The places seen for the picture.
static TripArea seen;

void SeeSvgPlace(const Place &place) {
  if (!place.onGlobe || place.step == stepDayEnd) return;
  RoutePoint point = place.position;
  if (seen.nrPlaces++ == 0) {
    seen.centre = ApexOf(point.longitude, point.latitude);
    seen.leastX = seen.mostX = seen.leastY = seen.mostY = 0;
    return;
  }
  double x, y;
  Project(seen.centre, OnGlobe(point.longitude, point.latitude), &x, &y);
  seen.leastX = std::min(seen.leastX, x);
  seen.mostX = std::max(seen.mostX, x);
  seen.leastY = std::min(seen.leastY, y);
  seen.mostY = std::max(seen.mostY, y);
}

// A box of the picture in tenths of a px, for what must not overlap.
struct SvgBox {
  int32_t left, top, right, bottom; // a picture is 12000 x 9000 tenths
};

static bool Overlap(const SvgBox &a, const SvgBox &b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Marks and labels whose places are known, for the labels still to come: a
// picture of 1200 x 900 px has room for far fewer labels. Beyond, a label
// could not be kept clear of what is not noted: the tooltips number the
// locations alone, and no label costs more than these checks.
constexpr size_t maxMarks = 4096;

// The run's picture.
static struct {
  BesideTour out;                   // the file
  const Following *following;       // what was chosen
  SvgPart part;                     // what the places passed now are for
  SvgFrame frame;                   // the projection
  SvgPoint drawn;                   // the route line's last point written
  SvgPoint latest;                  // the day's latest route point
  bool latestDrawn;                 // and whether the line holds it
  Wedge sleeve;                     // the directions from drawn that pass near every point since
  int64_t reach2;                   // the farthest of those points from drawn, squared
  Row place[mostLocations + 1];     // the day's start and locations, until its end
  RoutePoint at[mostLocations + 1]; // and where each lies
  size_t nrPlaces;                  // how many the day has so far
  bool byDistance;                  // the tour's locations were taken by distance
  SvgBox legend;                    // where the legend goes, chosen before the places
  size_t nrTaken;                   // then the day's locations drawn so far
  RoutePoint before;                // and the last of them, or the day's start
  char dayKm[maxLegendDays][32];    // the legend's days: each one's last distance text
  Count nrPOIs;                     // POIs on the globe
  Count nrPoiMarks;                 // of them, noted for the labels to keep clear of
} svg;

// The canvas and the room left around the trip.
constexpr double width = 1200, height = 900, margin = 40;

// One colour a day, repeating after eight, so that days in a row always
// differ: the Okabe-Ito palette, told apart by riders who do not see every
// colour, its light colours darkened to at least 3:1 against the white
// ground (orange, sky blue and yellow were 2.3, 2.3 and 1.3).
static const char *const palette[] = {"#0072B2", "#B86E00", "#009E73", "#CC79A7",
                                      "#3A8FC8", "#D55E00", "#8A7A00", "#000000"};

static const char *ColourOf(Count day) {
  return palette[static_cast<size_t>(day - 1) % std::size(palette)];
}

// Half a px, in tenths: no route point is farther than this from the line
// drawn.
constexpr int64_t halfPx = 5;

// The trip's area fitted to the canvas, at least 1 km each way.
static SvgFrame FrameOf(const TripArea &area) {
  SvgFrame frame;
  frame.centre = area.nrPlaces > 0 ? area.centre : ApexOf(0, 0);
  double wide = area.nrPlaces > 0 ? area.mostX - area.leastX : 0;
  double tall = area.nrPlaces > 0 ? area.mostY - area.leastY : 0;
  double roomX = width - 2 * margin, roomY = height - 2 * margin;
  frame.pxPerKm = std::min(roomX / std::max(wide, 1.0), roomY / std::max(tall, 1.0));
  frame.leastX = area.nrPlaces > 0 ? area.leastX : 0;
  frame.mostY = area.nrPlaces > 0 ? area.mostY : 0;
  frame.left = margin + (roomX - wide * frame.pxPerKm) / 2;
  frame.top = margin + (roomY - tall * frame.pxPerKm) / 2;
  return frame;
}

static int64_t Tenths(double px) {
  return static_cast<int64_t>(px * 10 + (px < 0 ? -0.5 : 0.5));
}

static SvgPoint PointOfVector(const SvgFrame &frame, const Vector &v) {
  double x, y;
  Project(frame.centre, v, &x, &y);
  return {Tenths(frame.left + (x - frame.leastX) * frame.pxPerKm),
          Tenths(frame.top + (frame.mostY - y) * frame.pxPerKm)};
}

static SvgPoint PointOf(const SvgFrame &frame, RoutePoint point) {
  return PointOfVector(frame, OnGlobe(point.longitude, point.latitude));
}

// Write tenths of a px as a decimal, "123.4", moved by offset tenths.
static void PutPx(OutFile *file, int64_t tenths, int64_t offset = 0) {
  tenths += offset;
  // By hand, from the last digit: a long day's line has a number a px.
  char text[24];
  char *end = text + sizeof text, *p = end;
  uint64_t value = static_cast<uint64_t>(tenths < 0 ? -tenths : tenths);
  *--p = static_cast<char>('0' + value % 10);
  *--p = '.';
  do {
    value /= 10;
    *--p = static_cast<char>('0' + value % 10);
  } while (value >= 10);
  if (tenths < 0) *--p = '-';
  PutBytes(file, p, static_cast<size_t>(end - p));
}

// Write " x,y" of a line's points.
static void PutLinePoint(OutFile *file, SvgPoint p) {
  PutFixed(file, " ");
  PutPx(file, p.x);
  PutFixed(file, ",");
  PutPx(file, p.y);
}

// Write attribute pairs such as ' cx="12.3" cy="45.6"'.
static void PutXY(OutFile *file, const char *x, const char *y, SvgPoint p, int64_t dx = 0,
                  int64_t dy = 0) {
  PutBytes(file, x, strlen(x));
  PutFixed(file, "=\"");
  PutPx(file, p.x, dx);
  PutFixed(file, "\" ");
  PutBytes(file, y, strlen(y));
  PutFixed(file, "=\"");
  PutPx(file, p.y, dy);
  PutFixed(file, "\"");
}

static void PutText(OutFile *file, const char *text) {
  PutBytes(file, text, strlen(text));
}

// The boxes that the labels keep clear of: every dot, start and end of the
// trip and every POI's marker, noted in the writing pass, and each label as
// it is placed.
static struct {
  SvgBox mark[maxMarks];  // the dots, starts, ends and POI markers
  size_t nrMarks;         // how many
  SvgBox label[maxMarks]; // the labels placed so far
  size_t nrLabels;        // how many
  bool overflowed;        // more marks than noted: no label is placed
} clear;

// The box of tenths left to right and top to bottom, clamped to the
// canvas and a margin, so that it fits its 32-bit corners.
static SvgBox Box(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -1000, 13000)); };
  return {clamp(left), clamp(top), clamp(right), clamp(bottom)};
}

// Note a mark of half-width half tenths of a px round p.
static void NoteMark(SvgPoint p, int64_t half) {
  if (clear.nrMarks == maxMarks) {
    clear.overflowed = true;
    return;
  }
  clear.mark[clear.nrMarks++] = Box(p.x - half, p.y - half, p.x + half, p.y + half);
}

void OpenSvgOutput(const Conversion &conversion) {
  const char *tourName = conversion.tourName;
  const Following *following = conversion.following;
  svg.following = following;
  svg.byDistance = conversion.choosing != byFollowing;
  svg.frame = FrameOf(seen);
  seen = TripArea{};
  svg.nrPlaces = 0;
  svg.nrPOIs = svg.nrPoiMarks = 0;
  for (auto &km : svg.dayKm)
    km[0] = '\0';
  clear.nrMarks = clear.nrLabels = 0;
  clear.overflowed = false;
  svg.legend = {100, 100, 100, 100};
  bool opened = OpenBesideTour(&svg.out, tourName, ".svg");
  svg.part = opened ? svgRoutes : svgDone;
  if (!opened) return;
  PutFixed(&svg.out.file,
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"1200\" "
           "height=\"900\" viewBox=\"0 0 1200 900\">\r\n"
           "<title>");
  PutTourName(&svg.out);
  PutFixed(&svg.out.file, "</title>\r\n"
                          "<rect width=\"1200\" height=\"900\" fill=\"#FFFFFF\"/>\r\n"
                          "<g fill=\"none\" stroke-width=\"3\" stroke-linejoin=\"round\" "
                          "stroke-linecap=\"round\">\r\n");
}

// The route line of day, from its first route point, start.
static void BeginRouteLine(Count day, RoutePoint start) {
  PutFixed(&svg.out.file, "<polyline stroke=\"");
  PutText(&svg.out.file, ColourOf(day));
  PutFixed(&svg.out.file, "\" points=\"");
  svg.drawn = svg.latest = PointOf(svg.frame, start);
  svg.latestDrawn = true;
  svg.sleeve = fullWedge;
  svg.reach2 = 0;
  PutPx(&svg.out.file, svg.drawn.x);
  PutFixed(&svg.out.file, ",");
  PutPx(&svg.out.file, svg.drawn.y);
}

// Draw p as the route line's next point, from which the sleeve starts.
static void DrawLinePoint(SvgPoint p) {
  PutLinePoint(&svg.out.file, p);
  svg.drawn = p;
  svg.sleeve = fullWedge;
  svg.reach2 = 0;
}

// The day's latest route point, at p. The line runs straight from the last
// point drawn for as long as every point since lies within half a px of it
// (the sleeve of directions that pass them all, Chan and Chin's wedge) and
// none lies beyond the latest: where p leaves that, the latest is drawn. A
// location is always drawn.
static void ExtendRouteLine(SvgPoint p, bool location) {
  int64_t dx = p.x - svg.drawn.x, dy = p.y - svg.drawn.y, d2 = dx * dx + dy * dy;
  bool along =
      d2 <= halfPx * halfPx ||
      (Holds(svg.sleeve, static_cast<double>(dx), static_cast<double>(dy)) && d2 >= svg.reach2);
  if (!along && !svg.latestDrawn) {
    DrawLinePoint(svg.latest);
    dx = p.x - svg.drawn.x, dy = p.y - svg.drawn.y, d2 = dx * dx + dy * dy;
  } else if (!along) {
    svg.sleeve = fullWedge;
    svg.reach2 = 0;
  }
  Narrow(&svg.sleeve, static_cast<double>(dx), static_cast<double>(dy), halfPx);
  svg.reach2 = std::max(svg.reach2, d2);
  svg.latest = p;
  svg.latestDrawn = location;
  if (location) DrawLinePoint(p);
}

// The day's end always ends its line.
static void EndRouteLine() {
  if (!svg.latestDrawn) PutLinePoint(&svg.out.file, svg.latest);
  PutFixed(&svg.out.file, "\"/>\r\n");
}

// Whether place is a location of the file the rider copies first, whose
// pieces the picture dashes: the whole tour's file, but where that holds
// day 1 alone (15 to 99 days), each day's own file, copied day by day.
static bool Shown(const Place &place) {
  if (svg.byDistance) return place.tripLocation;
  return TripIsFirstDay(*svg.following) ? place.ownLocation : place.tripLocation;
}

// Note the day's km, for the legend, from place, a day's end.
static void NoteDayKm(const Place &place) {
  // The legend keeps the texts of sensible lengths whole.
  Text km = KmOf(*place.end);
  Count day = place.day;
  if (day <= static_cast<Count>(maxLegendDays))
    snprintf(svg.dayKm[day - 1], sizeof svg.dayKm[day - 1], "%.*s", static_cast<int>(km.length),
             km.bytes);
}

static void DrawRoutePlace(const Place &place) {
  if (place.step == stepDayEnd) {
    EndRouteLine();
    NoteMark(PointOf(svg.frame, place.position), 110);
    NoteDayKm(place);
  }
  // A POI's marker, drawn last, would hide a label's digits.
  if (place.poi && place.onGlobe && svg.nrPoiMarks++ < maxPoiMarkers)
    NoteMark(PointOf(svg.frame, place.position), 30);
  if (place.step != stepPoint) return;
  if (place.dayBegins) NoteMark(PointOf(svg.frame, place.position), 60);
  if (Shown(place)) NoteMark(PointOf(svg.frame, place.position), 70);
  if (place.dayBegins)
    BeginRouteLine(place.day, place.position);
  else
    ExtendRouteLine(PointOf(svg.frame, place.position), Shown(place));
}

// Write a name as a location of the day's own tour file, in a title.
static void PutTitle(const char *before, const Row &row) {
  PutFixed(&svg.out.file, "<title>");
  PutText(&svg.out.file, before);
  PutLocationName(&svg.out.file, row, 0);
  PutFixed(&svg.out.file, "</title>");
}

// Write the points of the shorter great-circle arc from a to b, b's
// included and a's not: one every 100 km at most, so that a long piece
// bends as it does on the globe. Ends nearly antipodal have no such arc:
// b alone.
static void PutGreatCircle(OutFile *file, RoutePoint a, RoutePoint b) {
  constexpr double stepKm = 100;
  constexpr int mostSteps = 200;
  Vector from = OnGlobe(a.longitude, a.latitude), to = OnGlobe(b.longitude, b.latitude);
  Vector d = {to.x - from.x, to.y - from.y, to.z - from.z};
  double km = ChordKm(Dot(d, d));
  int steps = km < 2 * pi * earthRadiusKm / 2 - antipodalKm
                  ? std::min(mostSteps, static_cast<int>(km / stepKm) + 1)
                  : 1;
  for (int i = 1; i < steps; i++) {
    // Points of the chord, seen from the centre, lie on the arc.
    double t = static_cast<double>(i) / steps;
    Vector c = {from.x + d.x * t, from.y + d.y * t, from.z + d.z * t};
    double length = std::sqrt(Dot(c, c));
    PutLinePoint(file, PointOfVector(svg.frame, {c.x / length, c.y / length, c.z / length}));
  }
  PutLinePoint(file, PointOfVector(svg.frame, to));
}

// Hold row, at position, as the day's next place.
static void HoldPlace(const Row &row, RoutePoint position) {
  if (svg.nrPlaces == std::size(svg.place)) return;
  CopyRow(&svg.place[svg.nrPlaces], row);
  svg.at[svg.nrPlaces++] = position;
}

// Draw a dashed polyline in day's colour from the n places at through the
// great circles between them.
static void DrawDashes(Count day, const RoutePoint *at, size_t n) {
  OutFile *file = &svg.out.file;
  PutFixed(file, "<polyline fill=\"none\" stroke=\"");
  PutText(file, ColourOf(day));
  PutFixed(file, "\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\" points=\"");
  PutLinePoint(file, PointOf(svg.frame, at[0]));
  for (size_t i = 1; i < n; i++)
    PutGreatCircle(file, at[i - 1], at[i]);
  PutFixed(file, "\"/>\r\n");
}

// Draw day's start, row at at: a square.
static void DrawStart(Count day, const Row &row, RoutePoint at) {
  OutFile *file = &svg.out.file;
  PutFixed(file, "<rect ");
  PutXY(file, "x", "y", PointOf(svg.frame, at), -50, -50);
  PutFixed(file, " width=\"10\" height=\"10\" fill=\"#FFFFFF\" stroke=\"");
  PutText(file, ColourOf(day));
  PutFixed(file, "\" stroke-width=\"2\">");
  PutTitle("Start: ", row);
  PutFixed(file, "</rect>\r\n");
  // From the ninth day on colours come again: the start says its day.
  if (day < static_cast<Count>(std::size(palette)) + 1) return;
  PutFixed(file, "<text font-weight=\"bold\" ");
  PutXY(file, "x", "y", PointOf(svg.frame, at), 80, -60);
  char text[32];
  snprintf(text, sizeof text, ">%lld</text>\r\n", day);
  PutText(file, text);
}

// Draw location number of day, row at at: a dot numbered day.number.
// Whether box is free for a label of the mark centred at p: over no other
// mark, no label placed and not the legend.
static bool FreeForLabel(const SvgBox &box, SvgPoint p) {
  if (clear.overflowed || clear.nrLabels == maxMarks || Overlap(box, svg.legend)) return false;
  for (size_t i = 0; i < clear.nrMarks; i++) {
    const SvgBox &mark = clear.mark[i];
    bool own = mark.left + mark.right == 2 * p.x && mark.top + mark.bottom == 2 * p.y;
    if (!own && Overlap(box, mark)) return false;
  }
  for (size_t i = 0; i < clear.nrLabels; i++)
    if (Overlap(box, clear.label[i])) return false;
  return true;
}

static void DrawLocation(Count day, size_t number, const Row &row, RoutePoint at) {
  OutFile *file = &svg.out.file;
  SvgPoint p = PointOf(svg.frame, at);
  char label[40];
  int n = snprintf(label, sizeof label, "%lld.%zu", day, number);
  // 11 px type, 0.6 em a character: right of the dot, left, above, below,
  // the first side where the label covers no other mark, label or the
  // legend; where none is free, the tooltip alone numbers the location.
  int64_t wide = 66 * n;
  const int64_t sides[4][2] = {{80, 40}, {-80 - wide, 40}, {-wide / 2, -90}, {-wide / 2, 170}};
  const int64_t *side = nullptr;
  for (const auto &s : sides) {
    SvgBox box = Box(p.x + s[0], p.y + s[1] - 90, p.x + s[0] + wide, p.y + s[1] + 25);
    if (!FreeForLabel(box, p)) continue;
    clear.label[clear.nrLabels++] = box;
    side = s;
    break;
  }
  PutFixed(file, "<g>");
  PutFixed(file, "<title>");
  if (!side) {
    PutBytes(file, label, static_cast<size_t>(n));
    PutFixed(file, ": ");
  }
  PutLocationName(file, row, 0);
  PutFixed(file, "</title>");
  PutFixed(file, "<circle ");
  PutXY(file, "cx", "cy", p);
  PutFixed(file, " r=\"6\" fill=\"");
  PutText(file, ColourOf(day));
  PutFixed(file, "\" stroke=\"#FFFFFF\" stroke-width=\"1.5\"/>");
  if (side) {
    PutFixed(file, "<text ");
    PutXY(file, "x", "y", p, side[0], side[1]);
    PutFixed(file, ">");
    PutBytes(file, label, static_cast<size_t>(n));
    PutFixed(file, "</text>");
  }
  PutFixed(file, "</g>\r\n");
}

// Draw day's end, row at at: a ring.
static void DrawEnd(Count day, const Row &row, RoutePoint at) {
  OutFile *file = &svg.out.file;
  PutFixed(file, "<circle ");
  PutXY(file, "cx", "cy", PointOf(svg.frame, at));
  PutFixed(file, " r=\"10\" fill=\"none\" stroke=\"");
  PutText(file, ColourOf(day));
  PutFixed(file, "\" stroke-width=\"2\">");
  PutTitle("End: ", row);
  PutFixed(file, "</circle>\r\n");
}

// Draw the day that has ended: the straight lines of its choice, dashed,
// its start, its locations numbered day.n, and a ring round its end.
static void DrawDay(Count day) {
  const size_t n = svg.nrPlaces;
  if (n > 1) DrawDashes(day, svg.at, n);
  DrawStart(day, svg.place[0], svg.at[0]);
  // A day of one route point has it as its one location.
  for (size_t i = n > 1 ? 1 : 0; i < n; i++)
    DrawLocation(day, n > 1 ? i : 1, svg.place[i], svg.at[i]);
  DrawEnd(day, svg.place[n - 1], svg.at[n - 1]);
}

// A tour taken by distance may have any number of locations a day: each is
// drawn as it comes, with the dashes from the one before, and the day's
// start and end once it has ended. A day's end is no location unless
// taken.
static void DrawTakenPlace(const Place &place) {
  if (place.step == stepDayEnd) {
    DrawStart(place.day, svg.place[0], svg.at[0]);
    DrawEnd(place.day, *place.end, place.position);
    return;
  }
  if (place.step != stepPoint) return;
  if (place.dayBegins) {
    svg.nrPlaces = 0;
    HoldPlace(*place.row, place.position);
    svg.nrTaken = 0;
    svg.before = place.position;
  }
  if (!place.tripLocation) return;
  if (!place.dayBegins) {
    RoutePoint piece[2] = {svg.before, place.position};
    DrawDashes(place.day, piece, 2);
  }
  DrawLocation(place.day, ++svg.nrTaken, *place.row, place.position);
  svg.before = place.position;
}

// The day has ended at place, a day's end: draw it, and keep its km for the
// legend.
static void EndPlacesDay(const Place &place) {
  Count day = place.day;
  if (place.ordinal > 0 && !svg.byDistance) HoldPlace(*place.end, place.position);
  if (!svg.byDistance) DrawDay(day);
}

// Draw a POI's marker at p, named by the n bytes at name.
static void DrawPoi(SvgPoint p, const char *name, size_t n) {
  PutFixed(&svg.out.file, "<rect ");
  PutXY(&svg.out.file, "x", "y", p, -30, -30);
  PutFixed(&svg.out.file, " width=\"6\" height=\"6\" fill=\"#555555\"><title>");
  PutXmlText(&svg.out.file, name, n);
  PutFixed(&svg.out.file, "</title></rect>\r\n");
}

// POI markers are drawn after every day, above their dots: each is held
// until then, its name in a pool. Once the pool is full, a marker is drawn
// as it comes.
constexpr size_t poiNamesSize = 32 * 1024;
static struct {
  SvgPoint at[maxPoiMarkers];         // where each held marker goes
  uint16_t nameAt[maxPoiMarkers];     // its name's first byte in names
  uint16_t nameLength[maxPoiMarkers]; // and its bytes
  size_t n;                           // markers held
  char names[poiNamesSize];           // their names, one after another
  size_t used;                        // bytes of names used
} pois;

static void HoldPoi(const Place &place) {
  SvgPoint p = PointOf(svg.frame, place.position);
  Text name = NameOf(*place.row);
  if (pois.n == std::size(pois.at) || name.length > poiNamesSize - pois.used) {
    DrawPoi(p, name.bytes, name.length);
    return;
  }
  memcpy(pois.names + pois.used, name.bytes, name.length);
  pois.at[pois.n] = p;
  pois.nameAt[pois.n] = static_cast<uint16_t>(pois.used);
  pois.nameLength[pois.n++] = static_cast<uint16_t>(name.length);
  pois.used += name.length;
}

static void DrawHeldPois() {
  for (size_t i = 0; i < pois.n; i++)
    DrawPoi(pois.at[i], pois.names + pois.nameAt[i], pois.nameLength[i]);
  pois.n = pois.used = 0;
}

static void DrawPlace(const Place &place) {
  if (place.step == stepDayEnd) EndPlacesDay(place);
  if (svg.byDistance) {
    DrawTakenPlace(place);
  } else {
    if (place.dayBegins) svg.nrPlaces = 0;
    if (place.dayBegins || Shown(place)) HoldPlace(*place.row, place.position);
  }
  if (!place.poi || !place.onGlobe) return;
  if (svg.nrPOIs++ >= maxPoiMarkers) return;
  HoldPoi(place);
}

void PutSvgPlace(const Place &place) {
  if (svg.part == svgRoutes) DrawRoutePlace(place);
  if (svg.part == svgPlaces) DrawPlace(place);
}

static void PlaceLegend();

bool SvgOutputPassesLeft() {
  if (svg.part == svgRoutes) {
    PlaceLegend();
    PutFixed(&svg.out.file, "</g>\r\n<g font-family=\"sans-serif\" font-size=\"11\" "
                            "fill=\"#333333\">\r\n");
    svg.part = svgPlaces;
    return true;
  }
  if (svg.part == svgPlaces) {
    DrawHeldPois();
    PutFixed(&svg.out.file, "</g>\r\n");
    svg.part = svgDone;
  }
  return false;
}

// The longest bar of 1, 2 or 5 times a power of ten km that is at most
// 250 px long; at 100 px or more, as the steps are 2.5 apart at most.
static void DrawScaleBar() {
  static const struct {
    const char *text;
    double km;
  } bars[] = {{"0.001", 0.001}, {"0.002", 0.002}, {"0.005", 0.005}, {"0.01", 0.01},  {"0.02", 0.02},
              {"0.05", 0.05},   {"0.1", 0.1},     {"0.2", 0.2},     {"0.5", 0.5},    {"1", 1},
              {"2", 2},         {"5", 5},         {"10", 10},       {"20", 20},      {"50", 50},
              {"100", 100},     {"200", 200},     {"500", 500},     {"1000", 1000},  {"2000", 2000},
              {"5000", 5000},   {"10000", 10000}, {"20000", 20000}, {"50000", 50000}};
  size_t i = 0;
  while (i + 1 < std::size(bars) && bars[i + 1].km * svg.frame.pxPerKm <= 250)
    i++;
  int64_t length = Tenths(bars[i].km * svg.frame.pxPerKm);
  OutFile *file = &svg.out.file;
  PutFixed(file, "<g stroke=\"#333333\" stroke-width=\"2\" fill=\"none\">"
                 "<polyline points=\"40.0,862.0 40.0,870.0");
  PutLinePoint(file, {400 + length, 8700});
  PutLinePoint(file, {400 + length, 8620});
  PutFixed(file, "\"/></g>\r\n<text x=\"");
  PutPx(file, 400 + length, 60);
  PutFixed(file, "\" y=\"874.0\" font-family=\"sans-serif\" font-size=\"13\" fill=\"#333333\">");
  PutText(file, bars[i].text);
  PutFixed(file, " km</text>\r\n");
}

// The legend, top left: the tour's name, each day's km and the deviation of
// its own choice, the POIs.
// The legend's lines, and whether the tour file has a line of its own (the
// dashes are its, over several days), its days shown and whether more
// follow.
struct LegendLines {
  Count shown;     // days named
  bool more;       // and a line for the rest
  bool tripDashed; // a line for the tour file
  size_t lines;    // lines in all
  size_t width;    // px
  size_t height;   // px
};

static LegendLines LegendOf() {
  const Following &following = *svg.following;
  LegendLines legend;
  legend.shown = std::min(following.nrDays, static_cast<Count>(maxLegendDays));
  legend.more = following.nrDays > legend.shown;
  legend.tripDashed = !svg.byDistance && !TripIsFirstDay(following) && following.nrDays > 1;
  legend.lines =
      2 + static_cast<size_t>(legend.shown) + (legend.more ? 1 : 0) + (legend.tripDashed ? 1 : 0);
  size_t widest = std::max<size_t>(NameLength(svg.out.tour) - (sizeof ".xml" - 1), 24);
  // The characters of a day's line besides its km, and of the tour file's.
  for (Count d = 0; d < legend.shown; d++)
    widest = std::max(widest, 32 + strlen(svg.dayKm[d]));
  if (legend.tripDashed) widest = std::max<size_t>(widest, 40);
  legend.width = std::min<size_t>(24 + widest * 7, 1180);
  legend.height = 12 + legend.lines * 18;
  return legend;
}

// Put the legend in the corner where it covers the fewest dots, starts and
// ends, top left on a tie; the bottom left keeps clear of the scale bar.
static void PlaceLegend() {
  LegendLines legend = LegendOf();
  int32_t w = static_cast<int32_t>(legend.width) * 10, h = static_cast<int32_t>(legend.height) * 10;
  const SvgBox corners[] = {{100, 100, 100 + w, 100 + h},
                            {11900 - w, 100, 11900, 100 + h},
                            {11900 - w, 8900 - h, 11900, 8900},
                            {100, 8500 - h, 100 + w, 8500}};
  size_t fewest = SIZE_MAX;
  for (const SvgBox &corner : corners) {
    size_t covered = 0;
    for (size_t i = 0; i < clear.nrMarks; i++)
      covered += Overlap(corner, clear.mark[i]);
    if (covered < fewest) {
      fewest = covered;
      svg.legend = corner;
    }
  }
}

static void DrawLegend() {
  OutFile *file = &svg.out.file;
  const Following &following = *svg.following;
  LegendLines legend = LegendOf();
  Count shown = legend.shown;
  bool more = legend.more, tripDashed = legend.tripDashed;
  char text[200];
  // Drawn as at the top left, moved to its corner.
  int64_t dx = svg.legend.left / 10 - 10, dy = svg.legend.top / 10 - 10;
  PutFixed(file, "<g font-family=\"sans-serif\" font-size=\"13\" fill=\"#333333\"");
  if (dx != 0 || dy != 0) {
    snprintf(text, sizeof text, " transform=\"translate(%lld,%lld)\"", static_cast<long long>(dx),
             static_cast<long long>(dy));
    PutText(file, text);
  }
  snprintf(text, sizeof text,
           ">\r\n"
           "<rect x=\"10\" y=\"10\" width=\"%zu\" height=\"%zu\" fill=\"#FFFFFF\" "
           "fill-opacity=\"0.85\" stroke=\"#999999\"/>\r\n",
           legend.width, legend.height);
  PutText(file, text);
  PutFixed(file, "<text x=\"20\" y=\"28\" font-weight=\"bold\">");
  PutTourName(&svg.out);
  PutFixed(file, "</text>\r\n");
  size_t y = 46;
  for (Count d = 1; d <= shown; d++, y += 18) {
    snprintf(text, sizeof text,
             "<rect x=\"20\" y=\"%zu\" width=\"10\" height=\"10\" fill=\"%s\"/>"
             "<text x=\"36\" y=\"%zu\">Day %lld: ",
             y - 10, ColourOf(d), y, d);
    PutText(file, text);
    PutXmlText(file, svg.dayKm[d - 1], strlen(svg.dayKm[d - 1]));
    if (svg.byDistance)
      snprintf(text, sizeof text, " km</text>\r\n");
    else if (!tripDashed)
      snprintf(text, sizeof text, " km, within %.1f km</text>\r\n",
               following.nrDays == 1 ? following.tripDeviation : OwnDeviation(following, d));
    else if (following.nrDays <= maxDayFiles)
      snprintf(text, sizeof text, " km (day file: %.1f km)</text>\r\n", OwnDeviation(following, d));
    else
      snprintf(text, sizeof text, " km</text>\r\n");
    PutText(file, text);
  }
  if (more) {
    Count rest = following.nrDays - shown;
    snprintf(text, sizeof text, "<text x=\"20\" y=\"%zu\">\xE2\x80\xA6 and %lld more %s</text>\r\n",
             y, rest, rest == 1 ? "day" : "days");
    PutText(file, text);
    y += 18;
  }
  if (tripDashed) {
    Count n = TripLocations(following);
    snprintf(text, sizeof text,
             "<text x=\"20\" y=\"%zu\">Tour file: %lld %s, within %.1f km</text>\r\n", y, n,
             n == 1 ? "location" : "locations", following.tripDeviation);
    PutText(file, text);
    y += 18;
  }
  snprintf(text, sizeof text, "<text x=\"20\" y=\"%zu\">%lld %s</text>\r\n</g>\r\n", y, svg.nrPOIs,
           svg.nrPOIs == 1 ? "POI" : "POIs");
  PutText(file, text);
}

bool FinishSvgOutput(bool whole, const char *exportName) {
  if (!svg.out.file.stream) return false;
  if (!whole) return CloseUnfinished(&svg.out.file, svg.out.name, exportName);
  // A pass that could not be read leaves the picture unfinished: the read
  // error has been told.
  bool done = svg.part == svgDone;
  if (done) {
    DrawScaleBar();
    DrawLegend();
    PutFixed(&svg.out.file, "</svg>\r\n");
  }
  if (CloseOutput(&svg.out.file, svg.out.name) != 0 || !done) return false;
  printf("File '%s' shows the tour: open it in a web browser.\n", svg.out.name);
  return true;
}
