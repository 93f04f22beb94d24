// The picture of a follow run, NAME.svg beside NAME.xml: the tour at a
// glance in any web browser, before it goes to the device. Each day's route
// in a colour of its own, the pieces of the day's own choice dashed along
// their great circles over it, each location a numbered dot, the POIs as
// markers, a scale bar and a legend; one azimuthal projection for the whole
// trip, fitted to 1200 x 900 px.
// An output of two passes (svgOutput), whose state is its own: the writing
// pass draws the routes, the next one the choices, the locations and the
// POIs.
#ifndef SVGWRITER_H
#define SVGWRITER_H

#include "output/output.h"

// Open the picture of the conversion beside its tour file and write its
// head. A file that cannot be opened is reported.
void OpenSvgOutput(const Conversion &conversion);

// Take a place of the reading that chooses the route, for the trip's frame:
// the places seen since the last open fill the picture.
void SeeSvgPlace(const Place &place);

// Take place for the part being drawn.
void PutSvgPlace(const Place &place);

// After the rows of a pass: move on to the next part. Return whether it
// needs the export's rows once more.
bool SvgOutputPassesLeft();

// Draw the scale bar and the legend, close the file and report it, or that
// it could not be written; with whole false, that it is unfinished, since
// exportName changed. Return whether it was reported.
bool FinishSvgOutput(bool whole, const char *exportName);

inline constexpr Output svgOutput = {
    OpenSvgOutput, PutSvgPlace, SvgOutputPassesLeft, FinishSvgOutput, SeeSvgPlace, 1, 1};

#endif
