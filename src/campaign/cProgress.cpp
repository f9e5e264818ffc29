// Reading and writing progress.toml: a table per difficulty with its levels reached and won.
#include "campaign/cProgress.h"

#include "campaign/keptLoad.h"
#include "campaign/keptToml.h"

#include <algorithm>
#include <sstream>

namespace {

bool holds(const std::vector<std::string>& maps, const std::string& map) {
    return std::find(maps.begin(), maps.end(), map) != maps.end();
}

void addOnce(std::vector<std::string>& maps, const std::string& map) {
    if (isKeptMapName(map) && !holds(maps, map)) maps.push_back(map);
}

// A list of map names; an entry that is no map name is dropped with a warning.
std::vector<std::string> readMaps(const toml::node& node, const std::string& where,
                                  std::vector<std::string>& warnings) {
    std::vector<std::string> maps;
    const toml::array* list = node.as_array();
    if (list == nullptr) {
        warnings.push_back(std::string(cProgress::kFileName) + ": " + where + " = " + shownValue(node) +
                           " is not a list of map names; ignored");
        return maps;
    }
    for (const toml::node& entry : *list) {
        const std::optional<std::string> name = entry.value_exact<std::string>();
        if (name && isKeptMapName(*name))
            addOnce(maps, *name);
        else
            warnings.push_back(std::string(cProgress::kFileName) + ": " + where + " holds " + shownValue(entry) +
                               ", which is not a map name; ignored");
    }
    return maps;
}

}  // namespace

void cProgress::markReached(eDifficulty d, const std::string& map) { addOnce(track(d).reached, map); }

void cProgress::markWon(eDifficulty d, const std::string& map) {
    markReached(d, map);
    addOnce(track(d).won, map);
}

void cProgress::setLast(eDifficulty d, const std::string& map) {
    if (isKeptMapName(map)) track(d).last = map;
}

bool cProgress::isReached(eDifficulty d, const std::string& map) const { return holds(track(d).reached, map); }

bool cProgress::isWon(eDifficulty d, const std::string& map) const { return holds(track(d).won, map); }

sKeptLoad cProgress::load(const std::string& folder) { return loadKeptFile(*this, folder); }

bool cProgress::save(const std::string& folder, std::string& reason) const { return saveKeptFile(*this, folder, reason); }

bool cProgress::fromText(std::string_view text, std::vector<std::string>& warnings, std::string& why) {
    const std::optional<toml::table> table = parseKept(text, why);
    if (!table) return false;
    *this = cProgress{};
    warnUnknownKeys(*table, {"format", "recruit", "regular", "veteran"}, kFileName, warnings);
    for (eDifficulty d : kDifficulties) {
        const std::string name(difficultyName(d));
        const toml::node* node = table->get(name);
        if (node == nullptr) continue;
        const toml::table* level = node->as_table();
        if (level == nullptr) {
            warnings.push_back(std::string(kFileName) + ": " + name + " = " + shownValue(*node) +
                               " is not a table; ignored");
            continue;
        }
        warnUnknownKeys(*level, {"reached", "won", "last"}, std::string(kFileName) + " [" + name + "]", warnings);
        sTrack& into = track(d);
        if (const toml::node* reached = level->get("reached"))
            into.reached = readMaps(*reached, name + ".reached", warnings);
        if (const toml::node* won = level->get("won")) into.won = readMaps(*won, name + ".won", warnings);
        // A level won was reached, whatever a hand edit left out.
        for (const std::string& map : into.won) addOnce(into.reached, map);
        if (const toml::node* last = level->get("last")) {
            const std::optional<std::string> map = last->value_exact<std::string>();
            if (map && isKeptMapName(*map))
                into.last = *map;
            else
                warnings.push_back(std::string(kFileName) + ": " + name + ".last = " + shownValue(*last) +
                                   " is not a map name; ignored");
        }
    }
    return true;
}

std::string cProgress::toText() const {
    toml::table table{{"format", kKeptFormat}};
    for (eDifficulty d : kDifficulties) {
        const sTrack& from = track(d);
        toml::table level;
        toml::array reached, won;
        for (const std::string& map : from.reached) reached.push_back(map);
        for (const std::string& map : from.won) won.push_back(map);
        level.insert_or_assign("reached", std::move(reached));
        level.insert_or_assign("won", std::move(won));
        if (!from.last.empty()) level.insert_or_assign("last", from.last);
        table.insert_or_assign(difficultyName(d), std::move(level));
    }
    std::ostringstream out;
    out << "# Orbix-TAL campaign progress: the levels reached and won at each difficulty, by map file,\n"
           "# and the level Continue starts.\n"
        << table << "\n";
    return out.str();
}
