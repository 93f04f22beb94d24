// Following the route. Each day is held on its own: its points, thinned when
// many, projected, and its choices of 1 up to the device's count of
// locations started quickly, then the choice for that count narrowed to
// within 1 % of the least deviation. A whole tour of 2 up to that many days
// shares its locations out by those choices;
// narrowing them all would cost most where it matters least, so the second
// reading narrows only the choices whose brackets meet the bracket of the
// best split, which is all that the split's 1 % needs: the split the best
// choices make is then within it.
#include "choice/follow.h"

#include <algorithm>
#include <cstring>

// The days' points and their projection, one day at a time.
static Day day;
static Sphere sphere;

// Where the locations of each choice of the first days lie, for the
// thinned days alone: the others' pages are never touched.
static RoutePoint locationsAt[maxDayFiles][mostLocations + 1][mostLocations];

// Note the deviation of the own choice of day d's result and, for a thinned
// day, while it is held, where the locations of its choices lie.
static void NoteLocations(DayResult *result, Count d) {
  const DayChoices &choices = result->choices;
  result->ownKm = choices.deviation[result->ownCount];
  if (day.stride == 1) return;
  for (size_t k = 1; k <= choices.most; k++)
    for (size_t i = 0; i < choices.size[k]; i++)
      locationsAt[d - 1][k][i] = day.point[choices.index[k][i]];
}

// The choices of the first days, for the split.
static void DaysChoices(const Following &following, const DayChoices **days) {
  for (Count d = 0; d < following.nrDays && d < following.most; d++)
    days[d] = &following.day[d].choices;
}

// Choose for the day just read, number d, on the first reading (narrowing
// false) or the second.
static void ChooseForDay(Following *following, Count d, bool narrowing) {
  EndDay(&day);
  PlaceDay(day, &sphere);
  if (d > maxDayFiles) {
    // The day's end alone, in the whole tour's file.
    double alone = PieceDeviation(sphere, 0, day.n - 1);
    following->endsDeviation = std::max(following->endsDeviation, alone);
  } else if (!narrowing) {
    DayResult *result = &following->day[d - 1];
    result->stride = day.stride;
    FirstChoices(day, sphere, static_cast<size_t>(following->most), &result->choices);
    result->nrPoints = day.nrPoints;
    NarrowChoices(day, sphere, &result->choices,
                  [](size_t k, const DayChoices &choices) { return k == choices.most; });
    result->ownCount = static_cast<uint8_t>(FewestForBest(result->choices));
    following->endsDeviation = std::max(following->endsDeviation, result->choices.deviation[1]);
    NoteLocations(result, d);
  } else if (day.nrPoints == following->day[d - 1].nrPoints) {
    // A day of other points than on the first reading is an export written
    // in between: its choices, indices into the first reading's points,
    // stay as they are, and the reader tells of the change.
    //
    // The best split lies within these, whatever the days after this one
    // hold: all their choices so far are real, and no better than their
    // lower ends.
    const DayChoices *days[mostLocations];
    DaysChoices(*following, days);
    size_t n = static_cast<size_t>(following->nrDays);
    double low = SplitLocations(days, n, true, nullptr);
    double high = SplitLocations(days, n, false, nullptr);
    // Only the choices whose brackets meet the best split's matter: one
    // already below it is within the bound, one above it is no part of it.
    NarrowChoices(day, sphere, &following->day[d - 1].choices,
                  [low, high](size_t k, const DayChoices &choices) {
                    return choices.deviation[k] >= low && choices.low[k] <= high;
                  });
    NoteLocations(&following->day[d - 1], d);
  }
  if (!narrowing && day.stride > 1) {
    if (following->nrThinned < static_cast<Count>(maxThinnedTold))
      following->thinned[following->nrThinned] = {d, day.stride, day.point[day.n - 1]};
    following->nrThinned++;
  }
}

// Read the export once from its start, walking its days from walk, and hand
// visit each place, then the end of a day still open at the end.
template <typename Visit>
static FollowOutcome ReadPlaces(ExportReader *reader, RouteWalk *walk, Visit visit) {
  if (!RewindExport(reader))
    return ExportReadFailed(*reader) ? followReadFailed : followNotRewindable;
  static Row row;
  Place place;
  int read = rowRead;
  while (read == rowRead) {
    read = ReadRow(reader, &row);
    if (read == readFailed) return followReadFailed;
    TakePlace(&row, walk, &place);
    visit(place);
  }
  if (TakeEnd(walk, &row, place.position, &place)) visit(place);
  return ExportChanged(*reader) ? followChanged : followChosen;
}

// Read the export once from its start, choosing for each day as it ends.
// With see, hand it each place.
static FollowOutcome ReadDays(ExportReader *reader, Following *following, bool narrowing,
                              void (*see)(const Place &place)) {
  // An export written since the first reading must not lead the narrowing
  // into days it never chose for.
  RouteWalk walk = narrowing ? WalkUpTo(following->nrDays) : walkStart;
  FollowOutcome outcome = ReadPlaces(reader, &walk, [&](const Place &place) {
    if (place.step == stepPoint) {
      if (place.ordinal == 0) StartDay(&day);
      AddToDay(&day, place.position);
    } else if (place.step == stepDayEnd) {
      ChooseForDay(following, place.day, narrowing);
    }
    if (!narrowing && place.poi && place.onGlobe) following->nrPois++;
    if (see) see(place);
  });
  if (!narrowing) following->nrDays = walk.day;
  return outcome;
}

// One choice of a thinned day as its route points pass: the pieces from
// its start through its locations, and how far the points so far stray.
struct Measure {
  const RoutePoint *at;  // the locations, the day's end last
  const uint16_t *index; // their held points, one in stride of the route's
  size_t n, next;        // how many, and the one the walk heads for
  Vector from, to;       // the piece the walk is on
  double largest;        // the largest squared chord so far
};

// Head measure for its next location.
static void HeadFor(Measure *measure) {
  if (measure->next == measure->n) return;
  RoutePoint to = measure->at[measure->next];
  measure->to = OnGlobe(to.longitude, to.latitude);
}

// Start measure on the choice of size locations at, their held points
// index, from the day's start.
static void StartMeasure(Measure *measure, const RoutePoint *at, const uint16_t *index, size_t size,
                         Vector start) {
  *measure = {at, index, size, 0, start, start, 0};
  HeadFor(measure);
}

// Take the route point ordinal at p, of a day held one in stride.
static void MeasurePoint(Measure *measure, Count stride, Count ordinal, const Vector &p) {
  if (measure->next == measure->n) return;
  // The locations before the end are held points, their ordinals known.
  bool last = measure->next + 1 == measure->n;
  if (!last && static_cast<Count>(measure->index[measure->next]) * stride == ordinal) {
    measure->from = p;
    measure->next++;
    HeadFor(measure);
    return;
  }
  measure->largest = std::max(measure->largest, ChordToArc(measure->from, measure->to, p));
}

// The choices that the figures tell of for the thinned day d, measured in a
// walk through it.
struct ThinnedWalk {
  Count day;         // the day, 0 when the walk is in none that was thinned
  Count stride;      // one route point in stride was held
  Measure own, trip; // its own tour file's choice, and its share of the whole tour's
  Measure ends;      // the day's end alone, where the whole tour's file holds it
  bool hasOwn, hasTrip, hasEnds;
};

// The thinned day d's entry, or nullptr.
static const ThinnedDay *ThinnedOf(const Following &following, Count d) {
  Count told = std::min(following.nrThinned, static_cast<Count>(maxThinnedTold));
  for (Count i = 0; i < told; i++)
    if (following.thinned[i].day == d) return &following.thinned[i];
  return nullptr;
}

// Begin the walk through day d, at start, when it was thinned.
static void BeginThinned(ThinnedWalk *walk, const Following &following, Count d,
                         const Vector &start) {
  walk->day = 0;
  const ThinnedDay *thinned = ThinnedOf(following, d);
  if (!thinned) return;
  walk->day = d;
  walk->stride = thinned->stride;
  walk->hasOwn = walk->hasTrip = false;
  walk->hasEnds = following.nrDays > following.most;
  static const uint16_t noIndex[1] = {0};
  StartMeasure(&walk->ends, &thinned->end, noIndex, 1, start);
  if (d > maxDayFiles) return;
  const DayResult &result = following.day[d - 1];
  const DayChoices &choices = result.choices;
  walk->hasOwn = true;
  StartMeasure(&walk->own, locationsAt[d - 1][result.ownCount], choices.index[result.ownCount],
               choices.size[result.ownCount], start);
  walk->hasTrip = following.nrDays <= following.most;
  if (walk->hasTrip)
    StartMeasure(&walk->trip, locationsAt[d - 1][result.tripCount], choices.index[result.tripCount],
                 choices.size[result.tripCount], start);
}

// The day walked has ended: its figures from every route point.
static void EndThinned(ThinnedWalk *walk, Following *following) {
  if (walk->day == 0) return;
  if (walk->hasOwn) following->day[walk->day - 1].ownKm = DeviationKm(walk->own.largest);
  if (walk->hasTrip)
    following->tripDeviation = std::max(following->tripDeviation, DeviationKm(walk->trip.largest));
  if (walk->hasEnds)
    following->endsDeviation = std::max(following->endsDeviation, DeviationKm(walk->ends.largest));
  walk->day = 0;
}

// Read the export once more from its start, measuring each thinned day's
// choices against all its route points: those held are a part of them.
static FollowOutcome MeasureThinnedDays(ExportReader *reader, Following *following) {
  RouteWalk walk = WalkUpTo(following->nrDays);
  ThinnedWalk thinned = {};
  return ReadPlaces(reader, &walk, [&](const Place &place) {
    if (place.step == stepDayEnd) EndThinned(&thinned, following);
    if (place.step != stepPoint) return;
    Vector p = OnGlobe(place.position.longitude, place.position.latitude);
    if (place.ordinal == 0) BeginThinned(&thinned, *following, place.day, p);
    if (thinned.day == 0 || place.ordinal == 0) return;
    if (thinned.hasOwn) MeasurePoint(&thinned.own, thinned.stride, place.ordinal, p);
    if (thinned.hasTrip) MeasurePoint(&thinned.trip, thinned.stride, place.ordinal, p);
    if (thinned.hasEnds) MeasurePoint(&thinned.ends, thinned.stride, place.ordinal, p);
  });
}

FollowOutcome FollowRoute(ExportReader *reader, Count most, Following *following,
                          void (*see)(const Place &place)) {
  following->most = std::min(most, static_cast<Count>(mostLocations));
  following->nrDays = following->nrPois = 0;
  following->endsDeviation = 0;
  following->tripDeviation = 0;
  following->nrThinned = 0;
  FollowOutcome outcome = ReadDays(reader, following, false, see);
  if (outcome != followChosen) return outcome;
  Count nrDays = following->nrDays;
  if (nrDays > 1 && nrDays <= following->most) {
    outcome = ReadDays(reader, following, true, nullptr);
    if (outcome != followChosen) return outcome;
  }
  if (nrDays <= following->most) {
    const DayChoices *days[mostLocations];
    DaysChoices(*following, days);
    uint8_t count[mostLocations];
    size_t n = static_cast<size_t>(nrDays);
    if (n > 0) following->tripDeviation = SplitLocations(days, n, false, count);
    for (size_t d = 0; d < n; d++) {
      following->day[d].tripCount = count[d];
      following->tripDeviation =
          std::max(following->tripDeviation, following->day[d].choices.deviation[count[d]]);
    }
  }
  // The figures told are those of every route point: a thinned day is
  // measured once more, whole.
  if (following->nrThinned > 0) {
    outcome = MeasureThinnedDays(reader, following);
    if (outcome != followChosen) return outcome;
  }
  // Beyond its count of days the whole tour's file holds day 1's own tour,
  // or beyond the day files, each day's end alone.
  if (TripIsFirstDay(*following))
    following->tripDeviation = following->day[0].ownKm;
  else if (nrDays > following->most)
    following->tripDeviation = following->endsDeviation;
  return followChosen;
}

bool TripIsFirstDay(const Following &following) {
  return following.nrDays > following.most && following.nrDays <= maxDayFiles;
}

bool TripHoldsDay(const Following &following, Count d) {
  return !TripIsFirstDay(following) || d == 1;
}

Count TripLocations(const Following &following) {
  if (TripIsFirstDay(following)) return following.day[0].ownCount;
  // Beyond the day files the whole tour's file holds each day's end alone.
  if (following.nrDays > following.most) return following.nrDays;
  Count n = 0;
  for (Count d = 0; d < following.nrDays; d++)
    n += following.day[d].tripCount;
  return n;
}

double OwnDeviation(const Following &following, Count d) {
  return following.day[d - 1].ownKm;
}

void StartMarker(Marker *marker, const Following *following, bool byDistance, float firstKm,
                 float nextKm) {
  marker->following = following;
  marker->byDistance = byDistance;
  marker->thinning = tourStart;
  marker->firstKm = firstKm;
  marker->nextKm = nextKm;
  // The writers never walk into a day that the choice did not see.
  marker->walk = WalkUpTo(following->nrDays);
  marker->trip.n = marker->trip.next = marker->own.n = marker->own.next = 0;
}

// Load into locations the ordinals of the locations before its end of day
// d's choice of k, held one in stride.
static void LoadLocations(DayLocations *locations, const DayResult &result, size_t k) {
  locations->n = locations->next = 0;
  size_t size = result.choices.size[k];
  for (size_t i = 0; i + 1 < size; i++) {
    size_t index = result.choices.index[k][i];
    // The held points of a thinned day are every stride-th route point.
    locations->ordinal[locations->n++] = static_cast<Count>(index) * result.stride;
  }
}

// Load the locations of the day just begun.
static void LoadDay(Marker *marker) {
  const Following &following = *marker->following;
  Count d = marker->walk.day;
  marker->trip.n = marker->trip.next = marker->own.n = marker->own.next = 0;
  if (d > maxDayFiles || marker->byDistance) return;
  const DayResult &result = following.day[d - 1];
  LoadLocations(&marker->own, result, result.ownCount);
  if (following.nrDays <= following.most) LoadLocations(&marker->trip, result, result.tripCount);
  if (TripIsFirstDay(following) && d == 1) LoadLocations(&marker->trip, result, result.ownCount);
}

// Whether the route point ordinal is the next of locations.
static bool IsNext(DayLocations *locations, Count ordinal) {
  if (locations->next == locations->n || locations->ordinal[locations->next] != ordinal)
    return false;
  locations->next++;
  return true;
}

void MarkRow(Marker *marker, const Row *row, Place *place) {
  TakePlace(row, &marker->walk, place);
  // Every row passes the thinning, as in the tour writer.
  bool taken = marker->byDistance &&
               ThinRow(&marker->thinning, place->route, marker->firstKm, marker->nextKm);
  if (place->step == stepDayEnd) {
    place->end = &marker->end;
    place->position = marker->endAt;
  }
  if (place->step != stepPoint) return;
  if (place->ordinal == 0) {
    LoadDay(marker);
    place->dayBegins = true;
  }
  place->tripLocation = IsNext(&marker->trip, place->ordinal) || taken;
  place->ownLocation = IsNext(&marker->own, place->ordinal) || taken;
  CopyRow(&marker->end, *row);
  marker->endAt = place->position;
}

bool MarkEnd(Marker *marker, Place *place) {
  return TakeEnd(&marker->walk, &marker->end, marker->endAt, place);
}
