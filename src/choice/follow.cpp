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
static Plane plane;

// The choices of the first days, for the split.
static void DaysChoices(const Following &following, const DayChoices **days) {
  for (Count d = 0; d < following.nrDays && d < following.most; d++)
    days[d] = &following.day[d].choices;
}

// Choose for the day just read, number d, on the first reading (narrowing
// false) or the second.
static void ChooseForDay(Following *following, Count d, bool narrowing) {
  EndDay(&day);
  ProjectDay(day, &plane);
  if (d > maxDayFiles) {
    // The day's end alone, in the whole tour's file.
    double alone = PieceDeviation(day, plane, 0, day.n - 1);
    following->endsDeviation = std::max(following->endsDeviation, alone);
  } else if (!narrowing) {
    DayResult *result = &following->day[d - 1];
    result->stride = day.stride;
    FirstChoices(day, plane, static_cast<size_t>(following->most), &result->choices);
    result->nrPoints = day.nrPoints;
    NarrowChoices(day, plane, &result->choices,
                  [](size_t k, const DayChoices &choices) { return k == choices.most; });
    result->ownCount = static_cast<uint8_t>(FewestForBest(result->choices));
    following->endsDeviation = std::max(following->endsDeviation, result->choices.deviation[1]);
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
    NarrowChoices(day, plane, &following->day[d - 1].choices,
                  [low, high](size_t k, const DayChoices &choices) {
                    return choices.deviation[k] >= low && choices.low[k] <= high;
                  });
  }
  if (!narrowing && day.stride > 1) {
    if (following->nrThinned < static_cast<Count>(maxThinnedTold))
      following->thinned[following->nrThinned] = {d, day.stride};
    following->nrThinned++;
  }
}

// Read the export once from its start, choosing for each day as it ends.
// With see, hand it each place.
static FollowOutcome ReadDays(ExportReader *reader, Following *following, bool narrowing,
                              void (*see)(const Place &place)) {
  if (!RewindExport(reader))
    return ExportReadFailed(*reader) ? followReadFailed : followNotRewindable;
  static Row row;
  // An export written since the first reading must not lead the narrowing
  // into days it never chose for.
  RouteWalk walk = narrowing ? WalkUpTo(following->nrDays) : walkStart;
  int read = rowRead;
  while (read == rowRead) {
    read = ReadLine(reader, &row);
    if (read == readFailed) return followReadFailed;
    SplitRow(&row);
    Place place;
    TakePlace(&row, &walk, &place);
    if (place.step == stepPoint) {
      if (place.ordinal == 0) StartDay(&day);
      AddToDay(&day, place.position);
    } else if (place.step == stepDayEnd) {
      ChooseForDay(following, place.day, narrowing);
    }
    if (see) see(place);
  }
  if (walk.inDay) ChooseForDay(following, walk.day, narrowing);
  if (!narrowing) following->nrDays = walk.day;
  return ExportChanged(*reader) ? followChanged : followChosen;
}

FollowOutcome FollowRoute(ExportReader *reader, Count most, Following *following,
                          void (*see)(const Place &place)) {
  following->most = std::min(most, static_cast<Count>(mostLocations));
  following->nrDays = 0;
  following->endsDeviation = 0;
  following->tripDeviation = 0;
  following->nrThinned = 0;
  FollowOutcome outcome = ReadDays(reader, following, false, see);
  if (outcome != followChosen) return outcome;
  Count nrDays = following->nrDays;
  if (nrDays > following->most) {
    following->tripDeviation = following->endsDeviation;
    return followChosen;
  }
  if (nrDays > 1) {
    outcome = ReadDays(reader, following, true, nullptr);
    if (outcome != followChosen) return outcome;
  }
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
  return followChosen;
}

Count TripLocations(const Following &following) {
  // Beyond its count of days the whole tour's file holds each day's end alone.
  if (following.nrDays > following.most) return following.nrDays;
  Count n = 0;
  for (Count d = 0; d < following.nrDays; d++)
    n += following.day[d].tripCount;
  return n;
}

double OwnDeviation(const Following &following, Count d) {
  const DayResult &result = following.day[d - 1];
  return result.choices.deviation[result.ownCount];
}

void StartMarker(Marker *marker, const Following *following) {
  marker->following = following;
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
  if (d > maxDayFiles) return;
  const DayResult &result = following.day[d - 1];
  LoadLocations(&marker->own, result, result.ownCount);
  // Beyond its count of days the whole tour's file holds each day's end alone.
  if (following.nrDays <= following.most) LoadLocations(&marker->trip, result, result.tripCount);
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
  if (place->step == stepDayEnd) {
    place->end = &marker->end;
    place->position = marker->endAt;
  }
  if (place->step != stepPoint) return;
  if (place->ordinal == 0) {
    LoadDay(marker);
    place->dayBegins = true;
  }
  place->tripLocation = IsNext(&marker->trip, place->ordinal);
  place->ownLocation = IsNext(&marker->own, place->ordinal);
  CopyRow(&marker->end, *row);
  marker->endAt = place->position;
}

bool MarkEnd(Marker *marker, Place *place) {
  return TakeEnd(&marker->walk, &marker->end, marker->endAt, place);
}
