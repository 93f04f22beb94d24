// The picture of a follow run, NAME.svg beside NAME.xml: the tour at a
// glance in any web browser, before it goes to the device. Each day's route
// in a colour of its own, the straight lines of the day's own choice dashed
// over it, each location a numbered dot, the POIs as markers, a scale bar and
// a legend; one flat projection for the whole trip, fitted to 1200 x 900 px.
// An output of two passes (svgOutput): the writing pass draws the routes,
// the next one the choices, the locations and the POIs.
#ifndef SVGWRITER_H
#define SVGWRITER_H

#include "files.h"
#include "follow.h"
#include "output.h"
#include "reader.h"
#include "tourwriter.h"

// Markers drawn for POIs at most; the legend counts them all.
constexpr Count maxPoiMarkers = 2000;

// What the writer takes from the rows it is passed.
enum SvgPart {
  svgRoutes, // the writing pass: each day's route line
  svgPlaces, // the next pass: the choices, the locations and the POIs
  svgDone,   // nothing more
};

// Where the trip lies on the picture: px = left + (longitude - origin's) *
// kx, py = top + (origin's latitude - latitude) * ky, in units of 1/100000
// degree.
struct SvgFrame {
  RoutePoint origin; // the trip's least longitude and greatest latitude
  double kx, ky;     // px per unit of longitude and of latitude
  double left, top;  // px of the origin
  double pxPerKm;    // the scale, for the scale bar
};

// A point of the picture in tenths of a px, as it is written.
struct SvgPoint {
  int64_t x, y;
};

// A picture being written.
struct SvgWriter {
  BesideTour out;               // the file
  const Following *following;   // what was chosen
  SvgPart part;                 // what the rows passed now are for
  SvgFrame frame;               // the projection
  FollowCursor cursor;          // where the rows stand in the days' own choices
  SvgPoint drawn;               // the route line's last point written
  SvgPoint latest;              // the day's latest route point
  bool latestDrawn;             // and whether the line holds it
  Row place[maxLocations + 1];  // the day's start and locations, until its end
  size_t nrPlaces;              // how many the day has so far
  char dayKm[maxLocations][32]; // the legend's days: each one's last distance text
  Count nrPOIs;                 // POIs on the globe
};

// Open the picture of following beside the tour file tourName and write its
// head. A file that cannot be opened is reported.
void OpenSvgWriter(SvgWriter *svg, const char *tourName, const Following *following);

// Take row, split, for the part being drawn.
void WriteSvgRow(SvgWriter *svg, const Row &row);

// After the rows of a pass: move on to the next part. Return whether it
// needs the export's rows once more.
bool SvgPassesLeft(SvgWriter *svg);

// Draw the scale bar and the legend, close the file and report it, or that
// it could not be written; with whole false, that it is unfinished, since
// exportName changed. Return whether it was reported.
bool FinishSvgWriter(SvgWriter *svg, bool whole = true, const char *exportName = "");

// The picture as an output, beside the conversion's tour file.
void OpenSvgOutput(const Conversion &conversion);
void PutSvgRow(const Row &row);
bool SvgOutputPassesLeft();
bool FinishSvgOutput(bool whole, const char *exportName);
inline constexpr Output svgOutput = {OpenSvgOutput,   PutSvgRow, SvgOutputPassesLeft,
                                     FinishSvgOutput, 1,         1};

#endif
