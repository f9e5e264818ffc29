// The designed levels, in play order.
#pragma once

#include "cMapPlan.h"

#include <string>
#include <vector>

struct sLevelDesign {
    std::string file;  // name in the maps folder; the names sort in play order
    cMapPlan plan;
};

std::vector<sLevelDesign> designLevels();

// Writes every level into dir. A level that fails its playability check is a
// design fault: it is reported on standard error and the call returns false.
bool writeMaps(const std::string& dir);
