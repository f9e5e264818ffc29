// Level designs: where the woods, waters, squad and enemies are.
#include "maps.h"

#include <cstdio>

namespace {

// Open meadow: learn to walk (left click) and to fire (right button) against
// two enemies who stand apart on open ground.
cMapPlan firstSteps() {
    cMapPlan m(64, 64, 101);
    m.forest(8, 50, 6, 0.9);
    m.forest(56, 22, 5, 0.9);
    m.forest(54, 56, 4, 0.9);
    m.start(32, 12);
    m.enemy(28, 35);
    m.enemy(40, 48);
    return m;
}

// A shallow river between the squad and the enemy: water slows but never stops.
cMapPlan theFord() {
    cMapPlan m(64, 64, 202);
    m.river({{-2, 28}, {20, 31}, {40, 27}, {66, 30}}, 7);
    m.forest(8, 10, 5, 0.9);
    m.forest(56, 50, 5, 0.9);
    m.start(32, 12);
    m.enemy(24, 44);
    m.enemy(38, 46);
    m.enemy(30, 54);
    m.enemy(46, 56);
    return m;
}

// A wood stands across the straight way: walk round it.
cMapPlan roundTheWood() {
    cMapPlan m(64, 64, 303);
    m.forest(30, 30, 8, 1.0);
    m.forest(6, 58, 5, 0.9);
    m.forest(58, 8, 4, 0.9);
    m.start(32, 10);
    // Round either side, the squad meets one group at a time.
    m.enemy(10, 44);
    m.enemy(54, 44);
    m.enemy(30, 58);
    m.enemy(35, 57);
    return m;
}

// Open ground and a camp packed close together: a rocket (both buttons) takes
// out a group.
cMapPlan rocketCamp() {
    cMapPlan m(64, 64, 404);
    m.forest(10, 30, 6, 0.9);
    m.forest(54, 34, 6, 0.9);
    m.lake(48, 12, 5, 3);
    m.start(30, 10);
    m.enemy(22, 32);
    m.camp(38, 52, 3, 1);
    return m;
}

// The enemy sits behind a hedge of trees: a grenade ('t', then both buttons)
// flies over it.
cMapPlan overTheHedge() {
    cMapPlan m(64, 64, 505);
    m.woods(14, 32, 50, 35, 1.0);
    m.forest(6, 10, 4, 0.9);
    m.start(32, 12);
    m.enemy(18, 28);
    m.camp(32, 40, 4, 2);
    return m;
}

// First snow: pine woods and a frozen pond.
cMapPlan firstSnow() {
    cMapPlan m(64, 64, 606);
    m.setWinter(true);
    m.forest(14, 40, 7, 0.9);
    m.forest(48, 26, 6, 0.9);
    m.forest(50, 54, 5, 0.9);
    m.lake(30, 26, 5, 4);
    m.start(14, 12);
    m.camp(40, 36, 2, 2);
    m.camp(60, 44, 1, 2);
    m.camp(20, 56, 2, 2);
    return m;
}

// An archipelago: islands in shallow water, each held by a few enemies.
cMapPlan islands() {
    cMapPlan m(64, 64, 707);
    m.lake(32, 32, 34, 34);
    m.clearing(14, 12, 8);  // the landing beach
    m.clearing(40, 20, 6);
    m.clearing(16, 40, 6);
    m.clearing(44, 46, 7);
    m.clearing(24, 58, 5);
    m.forest(46, 48, 3, 0.9);
    m.start(16, 12);
    m.camp(40, 20, 1, 2);
    m.camp(16, 40, 2, 2);
    m.camp(44, 46, 2, 2);
    m.camp(24, 58, 1, 2);
    return m;
}

// Crossroads: a river, two woods and enemies on every side.
cMapPlan crossroads() {
    cMapPlan m(64, 64, 808);
    m.river({{30, -2}, {34, 20}, {28, 40}, {34, 66}}, 4);
    m.forest(12, 30, 7, 0.9);
    m.forest(50, 40, 7, 0.9);
    m.start(14, 10);
    m.camp(44, 12, 1, 3);
    m.camp(20, 50, 2, 2);
    m.camp(48, 56, 1, 3);
    m.camp(58, 28, 2, 2);
    return m;
}

// Marshland: ponds and reed woods; the enemy waits on the dry ground between.
cMapPlan marshland() {
    cMapPlan m(64, 64, 909);
    m.lake(20, 30, 9, 6);
    m.lake(46, 22, 7, 5);
    m.lake(40, 48, 8, 5);
    m.forest(8, 50, 5, 0.9);
    m.forest(56, 36, 5, 0.9);
    m.forest(26, 14, 4, 0.9);
    m.start(12, 12);
    m.camp(34, 34, 2, 2);
    m.camp(52, 10, 1, 2);
    m.camp(18, 54, 2, 2);
    m.camp(54, 56, 2, 2);
    return m;
}

// A frozen valley: a river between wooded ridges, crossed under guns.
cMapPlan frozenValley() {
    cMapPlan m(128, 128, 1010);
    m.setWinter(true);
    m.woods(0, 0, 18, 127, 1.0);
    m.woods(110, 0, 127, 127, 1.0);
    m.river({{60, -2}, {70, 30}, {56, 64}, {72, 96}, {62, 130}}, 7);
    m.forest(40, 64, 5, 0.9);
    m.forest(88, 70, 5, 0.9);
    m.lake(40, 108, 7, 5);
    m.start(40, 14);
    m.camp(86, 30, 2, 2);
    m.camp(40, 40, 2, 2);
    m.camp(90, 96, 2, 2);
    m.camp(46, 88, 2, 2);
    m.camp(70, 118, 2, 2);
    m.camp(96, 60, 1, 2);
    return m;
}

// Deep woods: wide rides between many small woods, camps in the clearings.
cMapPlan deepWoods() {
    cMapPlan m(128, 128, 1111);
    for (int y = 24; y < 124; y += 26)
        for (int x = 14 + (y / 26 % 2) * 13; x < 124; x += 26) m.forest(x, y, 5.5, 0.95);
    m.start(14, 10);
    const int camps[][3] = {{40, 37, 1}, {79, 24, 2}, {66, 50, 2}, {118, 63, 1}, {27, 76, 1}, {92, 89, 1}, {66, 102, 1}, {14, 110, 1}};
    for (const auto& c : camps) m.camp(c[0], c[1], c[2], 2);
    return m;
}

// The long march: woods, lakes and a river, and camps all over the country.
cMapPlan longMarch() {
    cMapPlan m(128, 128, 1212);
    m.river({{-2, 50}, {40, 56}, {80, 46}, {130, 54}}, 6);
    m.lake(30, 96, 12, 8);
    m.lake(100, 100, 9, 7);
    const double woods[][3] = {{20, 28, 5}, {64, 24, 5}, {104, 28, 6}, {60, 76, 6}, {100, 70, 5}, {64, 114, 5}, {20, 80, 4}};
    for (const auto& f : woods) m.forest(f[0], f[1], f[2], 0.95);
    m.start(40, 12);
    // One guard at the river below the start: a pair there was met before the squad
    // had any cover, and lost the level more often than the whole march after it.
    const int camps[][3] = {{84, 12, 1}, {36, 40, 1}, {96, 44, 2}, {20, 70, 2}, {80, 88, 2}, {40, 76, 1}, {100, 118, 1}, {56, 98, 2}};
    for (const auto& c : camps) m.camp(c[0], c[1], c[2], 3);
    return m;
}

}  // namespace

// Every start lies at least ten cells inside the map: the level opens with the
// camera centred on the squad, and a start at the edge shows half a screen of
// nothing beyond the map. One new thing per level, then mixed battles.
std::vector<sLevelDesign> designLevels() {
    std::vector<sLevelDesign> levels;
    const auto add = [&](const char* file, cMapPlan plan) {
        plan.tidyTrees();
        levels.push_back({file, std::move(plan)});
    };
    add("01-first-steps.bmp", firstSteps());
    add("02-the-ford.bmp", theFord());
    add("03-round-the-wood.bmp", roundTheWood());
    add("04-rocket-camp.bmp", rocketCamp());
    add("05-over-the-hedge.bmp", overTheHedge());
    add("06-first-snow.bmp", firstSnow());
    add("07-islands.bmp", islands());
    add("08-crossroads.bmp", crossroads());
    add("09-marshland.bmp", marshland());
    add("10-frozen-valley.bmp", frozenValley());
    add("11-deep-woods.bmp", deepWoods());
    add("12-the-long-march.bmp", longMarch());
    return levels;
}

bool writeMaps(const std::string& dir) {
    // The campaign before this one had other names: in a folder written by an
    // older build they would still be listed as levels after the new ones.
    static const char* const retired[] = {"01-meadow.bmp",        "02-the-grove.bmp",   "03-river-crossing.bmp",
                                          "04-lakeside.bmp",      "05-first-snow.bmp",  "06-islands.bmp",
                                          "07-deep-woods.bmp",    "08-frozen-valley.bmp", "09-the-long-march.bmp"};
    for (const char* name : retired) std::remove((dir + "/" + name).c_str());
    bool ok = true;
    for (const sLevelDesign& l : designLevels()) {
        const std::string why = l.plan.problems();
        if (!why.empty()) {
            std::fprintf(stderr, "orbix-content: %s is not playable:\n%s", l.file.c_str(), why.c_str());
            ok = false;
            continue;
        }
        ok = l.plan.picture().save(dir + "/" + l.file) && ok;
    }
    return ok;
}
