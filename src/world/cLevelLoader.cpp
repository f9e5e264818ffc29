// Level list: a counting pass and a naming pass over the sorted "maps/" listing.
#include "world/cLevelLoader.h"

#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>
#include <string>
#include <vector>

// The level list owns its levels, so it reaches up to the level it builds.
#include "level/cLevel.h"
#include "platform/dirListing.h"

namespace {
const char* const mapsDir = "maps";

// Hidden entries are not levels, and a name too long for a level's map name is
// skipped rather than cut short.
bool isLevelEntry(const std::string& name) {
    return !name.empty() && name[0] != '.' && name.size() <= static_cast<size_t>(cLevel::maxMapFileName);
}
}

bool cLevelLoader::loadLevels() {
    disposeLevels();
    std::vector<std::string> names;
    if (!listDirectory(mapsDir, names))
        return false;
    for (const std::string& name : names) {
        if (isLevelEntry(name))
            count++;
        else if (!name.empty() && name[0] != '.')
            std::fprintf(stderr, "cLevelLoader: skipping \"%.40s...\": the name is too long.\n", name.c_str());
    }

    levels = new (std::nothrow) cLevel*[count > 0 ? count : 1]();
    if (levels == nullptr) {
        disposeLevels();
        return false;
    }
    for (int i = 0; i < count; i++) {
        levels[i] = new (std::nothrow) cLevel(i + 1);
        if (levels[i] == nullptr) {
            disposeLevels();
            return false;
        }
    }

    if (!listDirectory(mapsDir, names)) {
        disposeLevels();
        return false;
    }
    int i = 0;
    for (const std::string& name : names)
        if (i < count && isLevelEntry(name))
            levels[i++]->setMapName(name.c_str());
    current = -1;
    return true;
}

std::string cLevelLoader::getFolder() {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(mapsDir, ec);
    return ec ? std::string(mapsDir) : full.string();
}

cLevel* cLevelLoader::nextLevel() {
    current++;
    if (current >= count) {
        current = -1;
        return nullptr;
    }
    return levels[current];
}

void cLevelLoader::disposeLevels() {
    for (int i = 0; levels != nullptr && i < count; i++) {
        if (levels[i] != nullptr) {
            levels[i]->dispose();
            delete levels[i];
        }
    }
    delete[] levels;
    levels = nullptr;
    count = 0;
    current = -1;
}
