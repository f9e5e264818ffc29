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

// The load and save of a kept file type T: T names its file in T::kFileName, reads its
// text with fromText and writes it with toText.
template <class T>
sKeptLoad loadKeptFile(T& kept, const std::string& folder) {
    kept = T{};
    return loadKept(folder, T::kFileName, [&kept](std::string_view text, std::vector<std::string>& warnings,
                                                  std::string& why) { return kept.fromText(text, warnings, why); });
}

bool saveKeptText(const std::string& folder, const std::string& name, const std::string& text, std::string& reason);

template <class T>
bool saveKeptFile(const T& kept, const std::string& folder, std::string& reason) {
    return saveKeptText(folder, T::kFileName, kept.toText(), reason);
}
