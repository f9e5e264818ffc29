// F12: the frame just drawn, read from the back buffer before the swap, saved as a PNG.
#pragma once

#include <string>

// Reads the width x height back buffer of the current GL context and writes it into the
// user's pictures folder (startFolder when there is none) under the next free number.
// Answers the file's path, or empty with the reason in error.
std::string saveScreenshot(int width, int height, const std::string& startFolder, std::string& error);
