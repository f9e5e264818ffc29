// Recent events of a campaign fight that the drawing shows a moment: bullets stopped by trees, hits, falls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Kept by the level's tick with level time, read by the drawing; not part of the
// game's state (replays never hash it), and nothing the game decides reads it.
class cLevelShow {
public:
    static constexpr int64_t puffMs = 500;    // a puff where a bullet struck a tree
    static constexpr int64_t flashMs = 150;   // a soldier's flash after a hit
    static constexpr int64_t markMs = 5000;   // the mark where a soldier fell
    static constexpr int64_t lineMs = 3000;   // the "NAME has fallen" line

    struct sPuff {
        float x, y;
        int64_t at;
    };
    struct sFall {
        std::string name;
        float x, y;
        int64_t at;
    };
    struct sHit {
        std::string name;
        int64_t at;
    };

    void clear();
    void addPuff(float x, float y, int64_t now);
    // A soldier hit again restarts his flash.
    void addHit(const std::string& name, int64_t now);
    void addFall(const std::string& name, float x, float y, int64_t now);
    // Drops what has been shown long enough.
    void expire(int64_t now);

    const std::vector<sPuff>& getPuffs() const { return puffs; }
    const std::vector<sFall>& getFalls() const { return falls; }
    const std::vector<sHit>& getHits() const { return hits; }
    bool isFlashing(const std::string& name, int64_t now) const;

private:
    std::vector<sPuff> puffs;
    std::vector<sFall> falls;
    std::vector<sHit> hits;
};
