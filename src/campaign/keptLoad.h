// What loading one of the campaign's kept files found, and the loading they all share.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct sKeptLoad {
    // One line per key that was wrong and fell back to its default (or per dropped entry).
    std::vector<std::string> warnings;
    // Set when the whole file was unusable: says why and where it was set aside. The game
    // shows it in the window and on standard error.
    std::string setAside;
    // The file was missing or set aside, so the values are defaults: save now, so the player
    // finds a file to read and edit.
    bool fresh = false;
};

// Reads folder/name and hands its text to parse, which fills the values and warnings, or
// answers false with why the file is unusable as a whole; such a file, and one that cannot be
// read, is set aside as NAME.bad. The caller resets its values to defaults unless this reports
// a file that parsed.
sKeptLoad loadKept(const std::string& folder, const std::string& name,
                   const std::function<bool(std::string_view text, std::vector<std::string>& warnings,
                                            std::string& why)>& parse);
