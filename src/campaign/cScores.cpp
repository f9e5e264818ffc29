// Reading and writing scores.toml: [difficulty."map file".hash] tables of best results.
#include "campaign/cScores.h"

#include "campaign/keptLoad.h"
#include "campaign/keptToml.h"

#include <cinttypes>
#include <climits>
#include <cstdio>
#include <ctime>
#include <sstream>

namespace {

bool isDate(std::string_view date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (date[i] < '0' || date[i] > '9') return false;
    const int month = (date[5] - '0') * 10 + (date[6] - '0');
    const int day = (date[8] - '0') * 10 + (date[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

std::string hashKey(uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

bool fromHashKey(std::string_view key, uint64_t& hash) {
    if (key.size() != 16 || key.find_first_not_of("0123456789abcdef") != std::string_view::npos) return false;
    hash = std::strtoull(std::string(key).c_str(), nullptr, 16);
    return true;
}

// One record table; false, with the reason, when any of its four values is missing or wrong.
bool readRecord(const toml::table& table, cScores::sRecord& record, std::string& why) {
    const auto time = table["best_time_ms"].value_exact<int64_t>();
    const auto timeDate = table["best_time_date"].value_exact<std::string>();
    const auto lost = table["fewest_lost"].value_exact<int64_t>();
    const auto lostDate = table["fewest_lost_date"].value_exact<std::string>();
    if (!time || *time < 0) why = "best_time_ms is not a whole number of at least 0";
    else if (!lost || *lost < 0 || *lost > INT_MAX) why = "fewest_lost is not a whole number of at least 0";
    else if (!timeDate || !isDate(*timeDate)) why = "best_time_date is not a date like \"2026-12-08\"";
    else if (!lostDate || !isDate(*lostDate)) why = "fewest_lost_date is not a date like \"2026-12-08\"";
    else {
        record = {*time, *timeDate, static_cast<int>(*lost), *lostDate};
        return true;
    }
    return false;
}

}  // namespace

cScores::sNewBest cScores::recordWin(eDifficulty d, const std::string& map, uint64_t mapHash, int64_t timeMs,
                                     int lost, const std::string& date) {
    if (timeMs < 0 || lost < 0 || !isKeptMapName(map) || !isDate(date)) return {};
    const auto [at, first] = records.try_emplace({d, map, mapHash}, sRecord{timeMs, date, lost, date});
    if (first) return {true, true};
    sRecord& record = at->second;
    sNewBest improved{timeMs < record.bestTimeMs, lost < record.fewestLost};
    if (improved.time) {
        record.bestTimeMs = timeMs;
        record.bestTimeDate = date;
    }
    if (improved.lost) {
        record.fewestLost = lost;
        record.fewestLostDate = date;
    }
    return improved;
}

const cScores::sRecord* cScores::find(eDifficulty d, const std::string& map, uint64_t mapHash) const {
    const auto at = records.find({d, map, mapHash});
    return at == records.end() ? nullptr : &at->second;
}

std::string cScores::today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

sKeptLoad cScores::load(const std::string& folder) { return loadKeptFile(*this, folder); }

bool cScores::save(const std::string& folder, std::string& reason) const { return saveKeptFile(*this, folder, reason); }

bool cScores::fromText(std::string_view text, std::vector<std::string>& warnings, std::string& why) {
    const std::optional<toml::table> table = parseKept(text, why);
    if (!table) return false;
    *this = cScores{};
    const std::string file = kFileName;
    warnUnknownKeys(*table, {"format", "recruit", "regular", "veteran"}, file, warnings);
    for (eDifficulty d : kDifficulties) {
        const std::string name(difficultyName(d));
        const toml::node* node = table->get(name);
        if (node == nullptr) continue;
        if (!node->is_table()) {
            warnings.push_back(file + ": " + name + " is not a table; ignored");
            continue;
        }
        for (auto&& [mapKey, maps] : *node->as_table()) {
            const std::string map(mapKey.str());
            const std::string where = file + ": " + name + "." + shownValue(toml::value<std::string>(map));
            if (!isKeptMapName(map) || !maps.is_table()) {
                warnings.push_back(where + " is not a map's table of scores; ignored");
                continue;
            }
            for (auto&& [hashText, entry] : *maps.as_table()) {
                uint64_t hash = 0;
                sRecord record;
                std::string problem;
                if (!fromHashKey(hashText.str(), hash))
                    problem = "is not a map hash of 16 hex digits";
                else if (!entry.is_table())
                    problem = "is not a table";
                else if (readRecord(*entry.as_table(), record, problem)) {
                    records[{d, map, hash}] = record;
                    warnUnknownKeys(*entry.as_table(),
                                    {"best_time_ms", "best_time_date", "fewest_lost", "fewest_lost_date"}, where,
                                    warnings);
                }
                if (!problem.empty())
                    warnings.push_back(where + "." + shownValue(toml::value<std::string>(std::string(hashText.str()))) +
                                       ": " + problem + "; that score is dropped");
            }
        }
    }
    return true;
}

std::string cScores::toText() const {
    toml::table table{{"format", kKeptFormat}};
    for (const auto& [level, record] : records) {
        const auto& [d, map, hash] = level;
        toml::table* byDifficulty = table.emplace<toml::table>(difficultyName(d)).first->second.as_table();
        toml::table* byMap = byDifficulty->emplace<toml::table>(map).first->second.as_table();
        byMap->insert_or_assign(hashKey(hash), toml::table{{"best_time_ms", record.bestTimeMs},
                                                          {"best_time_date", record.bestTimeDate},
                                                          {"fewest_lost", record.fewestLost},
                                                          {"fewest_lost_date", record.fewestLostDate}});
    }
    std::ostringstream out;
    out << "# Orbix-TAL campaign scores: per difficulty, map file and map hash, the best time (ms) and the\n"
           "# fewest soldiers lost, each with the day it was set.\n"
        << table << "\n";
    return out.str();
}
