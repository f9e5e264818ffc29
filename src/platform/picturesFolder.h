// Where screenshots go: the user's pictures folder as the XDG user directories name it.
#pragma once

#include <string>

// The first existing folder of: picturesEnv (XDG_PICTURES_DIR from the environment, absolute);
// XDG_PICTURES_DIR in configHome/user-dirs.dirs (configHome: XDG_CONFIG_HOME, else home/.config);
// home/Pictures; startFolder. Null or empty arguments are skipped.
std::string findPicturesFolder(const char* picturesEnv, const char* home, const char* configHome,
                               const std::string& startFolder);

// folder/orbix-tal-NNNN.png with the lowest number from 0001 not taken yet; empty when all are.
std::string nextScreenshotPath(const std::string& folder);
