// How far the player got, per difficulty, kept in progress.toml in the data folder. Levels are
// keyed by their map's file name (e.g. "01-first-steps.bmp"), so an updated map keeps them.
#pragma once

#include "level/difficulty.h"
#include "campaign/keptLoad.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class cProgress {
public:
    static constexpr const char* kFileName = "progress.toml";

    // Map names a file cannot hold (empty, a path, not UTF-8) are ignored by every call below.
    void markReached(eDifficulty d, const std::string& map);
    // Won is reached too.
    void markWon(eDifficulty d, const std::string& map);
    // The level Continue starts; after a win the caller names the next level here.
    void setLast(eDifficulty d, const std::string& map);

    bool isReached(eDifficulty d, const std::string& map) const;
    bool isWon(eDifficulty d, const std::string& map) const;
    // In the order they were first reached or won.
    const std::vector<std::string>& getReached(eDifficulty d) const { return track(d).reached; }
    const std::vector<std::string>& getWon(eDifficulty d) const { return track(d).won; }
    // Empty before the first level at this difficulty.
    const std::string& getLast(eDifficulty d) const { return track(d).last; }

    // As cSettings: a wrong entry is dropped with a warning; only an unparsable file is set aside.
    sKeptLoad load(const std::string& folder);
    bool save(const std::string& folder, std::string& reason) const;
    bool fromText(std::string_view text, std::vector<std::string>& warnings, std::string& why);
    std::string toText() const;

    bool operator==(const cProgress&) const = default;

private:
    struct sTrack {
        std::vector<std::string> reached, won;
        std::string last;
        bool operator==(const sTrack&) const = default;
    };

    sTrack& track(eDifficulty d) { return tracks[static_cast<size_t>(d)]; }
    const sTrack& track(eDifficulty d) const { return tracks[static_cast<size_t>(d)]; }

    std::array<sTrack, 3> tracks;
};
