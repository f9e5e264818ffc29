// Where the game keeps its files between runs: its folders under the XDG base directories.
#pragma once

#include <string>

// base/orbix-tal, where base is xdgValue when that is an absolute path (a relative or empty
// value is ignored, as the XDG rules ask), else home/homeFallback (e.g. ".config"); empty when
// neither gives an absolute folder, so the caller plays on without saving.
std::string keptFolderFrom(const char* xdgValue, const char* home, const char* homeFallback);

// $XDG_CONFIG_HOME/orbix-tal, else ~/.config/orbix-tal: settings.
std::string keptConfigFolder();
// $XDG_DATA_HOME/orbix-tal, else ~/.local/share/orbix-tal: progress and scores.
std::string keptDataFolder();
