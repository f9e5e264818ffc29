// Recent fight events for the campaign's drawing, and when each stops being shown.
#include "level/cLevelShow.h"

#include <algorithm>

void cLevelShow::clear() {
    puffs.clear();
    falls.clear();
    hits.clear();
}

void cLevelShow::addPuff(float x, float y, int64_t now) { puffs.push_back({x, y, now}); }

void cLevelShow::addHit(const std::string& name, int64_t now) {
    for (sHit& h : hits)
        if (h.name == name) {
            h.at = now;
            return;
        }
    hits.push_back({name, now});
}

void cLevelShow::addFall(const std::string& name, float x, float y, int64_t now) {
    falls.push_back({name, x, y, now});
}

void cLevelShow::expire(int64_t now) {
    std::erase_if(puffs, [now](const sPuff& p) { return now - p.at >= puffMs; });
    std::erase_if(hits, [now](const sHit& h) { return now - h.at >= flashMs; });
    std::erase_if(falls, [now](const sFall& f) { return now - f.at >= markMs; });
}

bool cLevelShow::isFlashing(const std::string& name, int64_t now) const {
    return std::any_of(hits.begin(), hits.end(),
                       [&](const sHit& h) { return h.name == name && now - h.at < flashMs; });
}
