// The player's best results, per difficulty and level, kept in scores.toml in the data folder.
// A level is its map's file name and a hash of the map's content, so a changed map starts
// with no score instead of inheriting one made on another map.
#pragma once

#include "level/difficulty.h"
#include "campaign/keptLoad.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

class cScores {
public:
    static constexpr const char* kFileName = "scores.toml";

    // Both bests of one level, each with the day it was set (ISO, "2026-12-08").
    struct sRecord {
        int64_t bestTimeMs = 0;
        std::string bestTimeDate;
        int fewestLost = 0;
        std::string fewestLostDate;
        bool operator==(const sRecord&) const = default;
    };

    // Which bests a win improved; the first win of a level sets both.
    struct sNewBest {
        bool time = false;
        bool lost = false;
    };

    // A win in timeMs losing lost soldiers on date; an equal result keeps the older date. A
    // negative figure, a map name a file cannot hold or a date that is not yyyy-mm-dd records
    // nothing.
    sNewBest recordWin(eDifficulty d, const std::string& map, uint64_t mapHash, int64_t timeMs, int lost,
                       const std::string& date);
    // The level's record, or null before its first win.
    const sRecord* find(eDifficulty d, const std::string& map, uint64_t mapHash) const;

    // Today's local date as yyyy-mm-dd, for recordWin.
    static std::string today();

    // As cSettings: a wrong record is dropped with a warning; only an unparsable file is set aside.
    sKeptLoad load(const std::string& folder);
    bool save(const std::string& folder, std::string& reason) const;
    bool fromText(std::string_view text, std::vector<std::string>& warnings, std::string& why);
    std::string toText() const;

    bool operator==(const cScores&) const = default;

private:
    using tLevel = std::tuple<eDifficulty, std::string, uint64_t>;
    std::map<tLevel, sRecord> records;
};
