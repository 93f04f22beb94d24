// Route distances: the tour planner writes them as decimal text in km.
#ifndef DISTANCE_H
#define DISTANCE_H

// Read a distance as "%f" reads it. Return 1 with *km set, or 0 when the text
// does not begin with a number (then *km is unchanged).
int ReadKm(const char *text, float *km);

#endif
