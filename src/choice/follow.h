// Following the route: which route points become the locations of each tour
// file of a follow run. The export is read once for each day's own choice of
// up to the device's count of locations (14 for the NAVMAN N20), for a
// tour of 2 up to that many days once more, to narrow the choices that
// decide how the whole tour's count is shared out, and where a day was
// thinned once more, to measure its choices against every route point;
// nothing is held from one day to the next but what was chosen. The writing passes
// then mark each place once for every output (MarkRow): its day, and
// whether it is a location of the whole tour's file or of its day's own,
// never walking into a day beyond those chosen for.
#ifndef FOLLOW_H
#define FOLLOW_H

#include "choice/choice.h"
#include "input/place.h"
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
  double ownKm;       // the deviation of its own choice from every route point
};

// A thinned day, for its warning and for the measure of its end alone.
struct ThinnedDay {
  Count day;      // its number
  Count stride;   // one route point in stride was held
  RoutePoint end; // its last route point
};

// What the reading of the export found.
struct Following {
  Count most;                         // the locations a tour file takes at most
  Count nrDays;                       // days with route points
  Count nrPois;                       // POIs whose positions lie on the globe
  DayResult day[maxDayFiles];         // the first days' results
  double endsDeviation;               // the largest deviation of a day's end alone
  double tripDeviation;               // the deviation of the whole tour's file
  ThinnedDay thinned[maxThinnedTold]; // the first days that were thinned
  Count nrThinned;                    // all days that were thinned
};

// How the reading went.
enum FollowOutcome { followChosen, followReadFailed, followNotRewindable, followChanged };

// Read reader's export, open, from its start, and choose the locations of
// each tour file, most at most (up to mostLocations), into *following. With
// see, hand it each place of the first reading, its days walked.
FollowOutcome FollowRoute(ExportReader *reader, Count most, Following *following,
                          void (*see)(const Place &place) = nullptr);

// Whether the whole tour's file holds day 1's own tour alone: a trip of
// more days than the device's count, each with a day file, is copied day by
// day, the first before the rider leaves.
bool TripIsFirstDay(const Following &following);

// Whether the whole tour's file holds day d's end.
bool TripHoldsDay(const Following &following, Count d);

// The locations of the whole tour's file.
Count TripLocations(const Following &following);

// The deviation of day d's own choice (d from 1, up to maxDayFiles).
double OwnDeviation(const Following &following, Count d);

// A day's chosen locations before its end, as route point ordinals.
struct DayLocations {
  Count ordinal[mostLocations]; // in route order
  size_t n, next;               // how many there are, and the next one to come
};

// Where the marking of a pass stands: the one walk of the pass through the
// days, for every output of a follow run.
struct Marker {
  const Following *following; // what was chosen
  RouteWalk walk;             // the rows so far
  DayLocations trip, own;     // the day's locations in the whole tour's file and its own
  Row end;                    // the day's latest route point, a location once the day ends
  RoutePoint endAt;           // and its position
  bool byDistance;            // the tour file's locations are taken by distance instead
  Thinning thinning;          // then where the taking stands, as the tour writer's
  float firstKm, nextKm;      // and its distances
};

// Start marker on following, for a pass from the export's start; byDistance,
// on the days following walked with the tour file's locations taken by the
// distances firstKm and nextKm instead, as the tour writer takes them: each
// marked a location of the whole tour's file and of its day alike, and a
// day's end no location unless taken.
void StartMarker(Marker *marker, const Following *following, bool byDistance = false,
                 float firstKm = 0, float nextKm = 0);

// Take row, split, as a place, its days walked, with the choice's marks.
void MarkRow(Marker *marker, const Row *row, Place *place);

// At the end of a pass: return whether a day was still open, and its end as
// place.
bool MarkEnd(Marker *marker, Place *place);

#endif
