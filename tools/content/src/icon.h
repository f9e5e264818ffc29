// The game's icon: a ball soldier's face under his helmet, for the desktop menus.
#pragma once

#include "cCanvas.h"

#include <string>

// The icon sizes shipped, in pixels, square.
constexpr int kIconSizes[] = {48, 64, 128, 256};

// The icon at size x size pixels, size one of kIconSizes.
cCanvas iconPicture(int size);

// Writes orbix-tal-N.png for each of kIconSizes into dir; false when one cannot be written.
bool writeIcons(const std::string& dir);
