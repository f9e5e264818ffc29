// Finds the folder that holds the game's content (maps/, textures/, ...) and
// makes it the working directory, so the relative content paths work from
// wherever the game is started.
#pragma once

#include <string>

// ORBIX_DATA (dataEnv, when set and not empty) overrides the rest; otherwise
// the executable's folder when it holds maps/, then the installed data folder
// exeDir/../share/orbix-tal. Returns the folder, or an empty string when the
// chosen candidate or every candidate lacks maps/; tried then lists what was
// looked at.
std::string findContentFolder(const std::string& exeDir, const char* dataEnv, std::string& tried);

// Changes into the running executable's content folder. False, with a message
// for the player, when there is none or it cannot be entered.
bool enterContentFolder(std::string& message);
