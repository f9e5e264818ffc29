// The list of levels: one cLevel per map file of "maps/", handed out in name order.
#pragma once

#include <string>

class cLevel;

class cLevelLoader {
public:
    cLevelLoader() = default;
    ~cLevelLoader() { disposeLevels(); }
    cLevelLoader(const cLevelLoader&) = delete;
    cLevelLoader& operator=(const cLevelLoader&) = delete;

    // Builds the list from "maps/" in the working directory; false when it cannot be read.
    bool loadLevels();
    // The following level, or null once the list is exhausted (the call after
    // that starts again at the first).
    cLevel* nextLevel();
    void resetLevels() { current = -1; }
    void disposeLevels();

    int getCount() const { return count; }
    // The folder the levels come from, as a full path, for messages.
    static std::string getFolder();
    cLevel* getLevel(int i) const { return i >= 0 && i < count ? levels[i] : nullptr; }

private:
    cLevel** levels = nullptr;  // owned, with the levels; count entries
    int count = 0;
    int current = -1;           // index of the level last handed out
};
