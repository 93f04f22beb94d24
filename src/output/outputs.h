// The tables of outputs that a run writes: the driver picks one, and the
// passes run it. Adding an output is a room of its own (an Output) and a row
// here.
#ifndef OUTPUTS_H
#define OUTPUTS_H

#include "base/filetable.h"
#include "output/dayfiles.h"
#include "output/gpxwriter.h"
#include "output/passes.h"
#include "output/poiwriter.h"
#include "output/svgwriter.h"
#include "output/tourwriter.h"

#include <iterator>

// A run by distance, the fit's included: the tour file and the POI file,
// each report followed by an empty line.
inline constexpr OutputRow byDistanceOutputs[] = {{&tourOutput, true}, {&poiOutput, true}};

// A dropped export answered with distances or the fit: the tour file by
// distance, and its GPX file and picture from the days the question walked.
inline constexpr OutputRow droppedOutputs[] = {
    {&tourOutput, false}, {&gpxOutput, false}, {&svgOutput, true}, {&poiOutput, true}};

// A run that follows the route: the tour file, the day files, the GPX file
// and the picture, their reports followed by one empty line; the POI file.
inline constexpr OutputRow followingOutputs[] = {{&tourOutput, false},
                                                 {&dayFilesOutput, false},
                                                 {&gpxOutput, false},
                                                 {&svgOutput, true},
                                                 {&poiOutput, true}};

// The table of open files holds standard output and error, the export and
// every output of a run, and remembers every file a run writes.
static_assert(3 + FilesOpen(followingOutputs, std::size(followingOutputs)) <= fileTableSize);
static_assert(3 + FilesOpen(byDistanceOutputs, std::size(byDistanceOutputs)) <= fileTableSize);
static_assert(3 + FilesOpen(droppedOutputs, std::size(droppedOutputs)) <= fileTableSize);
static_assert(FilesWritten(followingOutputs, std::size(followingOutputs)) <= maxClosedOutputs);

#endif
