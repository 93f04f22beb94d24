// The settings with their defaults: the names the tour planner and SmartST
// use when nobody names the files, and 10 km for both distances.
#include "settings.h"

const char prgIdent[] = "rovalto V1.0 2009-05-31";
char inMTP[fileNameSize] = "MotorradTourenPlanerExport.txt";
char outRoute[fileNameSize] = "MyMultiStopLocations.xml";
char outPOI[fileNameSize] = "SmartSTimportPOIs.csv";
float firstLoc = 10;
float nextLoc = 10;
