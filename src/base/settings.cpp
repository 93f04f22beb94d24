// The settings with their defaults: the names the tour planner and SmartST
// use when nobody names the files, and 10 km for both distances.
#include "base/settings.h"

#include "version.h"

Settings settings = {"MotorradTourenPlanerExport.txt", "MyMultiStopLocations.xml",
                     "SmartSTimportPOIs.csv", 10, 10};

const char identification[] = "rovalto V" ROVALTO_VERSION " 2009-05-31";
