// Following the route: which route points become the locations of each tour
// file of a follow run. The export is read once for each day's own choice of
// up to the device's count of locations (14 for the NAVMAN N20), and for a
// tour of 2 up to that many days once more, to narrow the choices that
// decide how the whole tour's count is shared out; nothing is
// held from one day to the next but what was chosen. The writers then walk
// the export, pass by pass, each with a cursor that names their locations
// and never enters a day beyond those chosen for.
#ifndef FOLLOW_H
#define FOLLOW_H

#include "choice/choice.h"
#include "input/reader.h"
#include "input/route.h"

// Days whose own choices are kept, each for a tour file of its own.
constexpr Count maxDayFiles = 99;

// Thinned days that are told by number; the rest are only counted.
constexpr size_t maxThinnedTold = 100;

// What one day of the export gave.
struct DayResult {
  Count stride;       // one route point in stride was held for the choice
  Count nrPoints;     // route points of the day
  DayChoices choices; // its best choices found
  uint8_t ownCount;   // the choice of its own tour file: choices for this many
  uint8_t tripCount;  // the same in the whole tour's file, up to its count of days
};

// A thinned day, for its warning.
struct ThinnedDay {
  Count day;    // its number
  Count stride; // one route point in stride was held
};

// Where the trip's route points and POIs on the globe lie.
struct TripArea {
  RoutePoint low, high; // the least and the greatest longitude and latitude
  int64_t sumLatitude;  // the route points' latitudes added up, for their mean
  Count nrRoutePoints;  // route points
  Count nrPlaces;       // route points and POIs
};

// What the reading of the export found.
struct Following {
  Count most;                         // the locations a tour file takes at most
  Count nrDays;                       // days with route points
  DayResult day[maxDayFiles];         // the first days' results
  double endsDeviation;               // the largest deviation of a day's end alone
  double tripDeviation;               // the deviation of the whole tour's file
  ThinnedDay thinned[maxThinnedTold]; // the first days that were thinned
  Count nrThinned;                    // all days that were thinned
  TripArea area;                      // where it all lies
};

// How the reading went.
enum FollowOutcome { followChosen, followReadFailed, followNotRewindable, followChanged };

// Read reader's export, open, from its start, and choose the locations of
// each tour file, most at most (up to mostLocations), into *following.
FollowOutcome FollowRoute(ExportReader *reader, Count most, Following *following);

// The locations of the whole tour's file.
Count TripLocations(const Following &following);

// The deviation of day d's own choice (d from 1, up to maxDayFiles).
double OwnDeviation(const Following &following, Count d);

// Where a tour file's writer stands in the export.
struct FollowCursor {
  const Following *following;  // what was chosen
  bool wholeTrip;              // the whole tour's file, not a day's own
  RouteWalk walk;              // the rows so far
  Count chosen[mostLocations]; // ordinals of the day's locations before its end
  size_t nrChosen, next;       // how many there are, and the next one to come
  Row end;                     // the day's latest route point, a location once the day ends
  RoutePoint point;            // and its position
};

// Start cursor on following, for the whole tour's file or a day's own.
void StartCursor(FollowCursor *cursor, const Following *following, bool wholeTrip);

// What a row is to a tour file: any of these at once.
enum CursorStep {
  cursorDayBegins = 1, // the row is the first route point of day cursor->walk.day
  cursorLocation = 2,  // the row is a location before its day's end
  cursorDayEnds = 4,   // day cursor->walk.day has ended: cursor->end is its last location
};

// Take row, split, one step further. Return what it is, as CursorStep bits.
int StepCursor(FollowCursor *cursor, const Row &row);

// At the end of the export: return cursorDayEnds when a day was still open.
int EndCursor(FollowCursor *cursor);

#endif
