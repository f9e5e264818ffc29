// Level designs: where the woods, waters, squad and enemies are.
#include "maps.h"

#include <cstdio>

namespace {

// Open meadow: learn to walk (left click) and shoot (right button) against three
// enemies who stand apart.
cMapPlan meadow() {
    cMapPlan m(64, 64, 101);
    m.forest(10, 50, 7, 0.7);
    m.forest(54, 20, 6, 0.6);
    m.forest(50, 56, 5, 0.5);
    m.lake(14, 18, 5, 4);
    m.scatter(0.01);
    m.start(32, 10);
    m.enemy(30, 32);
    m.enemy(44, 40);
    m.enemy(22, 50);
    return m;
}

// A belt of forest with three gaps; the enemies wait behind it.
cMapPlan grove() {
    cMapPlan m(64, 64, 202);
    m.woods(0, 26, 63, 36, 0.75);
    m.path({{12, 20}, {14, 31}, {11, 42}}, 4);
    m.path({{34, 20}, {32, 31}, {35, 42}}, 4);
    m.path({{54, 20}, {55, 31}, {52, 42}}, 3);
    m.forest(8, 54, 6, 0.7);
    m.forest(56, 56, 6, 0.7);
    m.scatter(0.015);
    m.start(32, 10);
    m.enemy(12, 46);
    m.enemy(34, 48);
    m.enemy(52, 46);
    m.camp(32, 56, 3, 5);
    return m;
}

// A river across the map; wade through the ford under fire.
cMapPlan riverCrossing() {
    cMapPlan m(64, 64, 303);
    m.river({{-2, 28}, {14, 32}, {30, 27}, {46, 33}, {66, 29}}, 6);
    m.path({{40, 25}, {42, 36}}, 3);
    m.forest(8, 12, 6, 0.6);
    m.forest(56, 10, 5, 0.6);
    m.forest(20, 50, 7, 0.7);
    m.forest(50, 54, 6, 0.6);
    m.scatter(0.01);
    m.start(30, 10);
    m.camp(32, 44, 3, 4);
    m.camp(10, 40, 2, 3);
    m.camp(56, 42, 3, 4);
    return m;
}

// A lake in the middle, enemies spread along its shores.
cMapPlan lakeside() {
    cMapPlan m(64, 64, 404);
    m.lake(32, 34, 16, 11);
    m.forest(6, 6, 6, 0.7);
    m.forest(58, 60, 6, 0.7);
    m.forest(56, 8, 5, 0.6);
    m.forest(8, 58, 5, 0.6);
    m.scatter(0.02);
    m.start(12, 12);
    m.camp(32, 54, 3, 4);
    m.camp(54, 32, 3, 4);
    m.camp(12, 34, 2, 3);
    m.camp(36, 14, 2, 3);
    return m;
}

// First snow: pine woods, a frozen pond and more enemies.
cMapPlan firstSnow() {
    cMapPlan m(64, 64, 505);
    m.setWinter(true);
    m.forest(14, 40, 9, 0.8);
    m.forest(46, 22, 8, 0.8);
    m.forest(50, 52, 7, 0.7);
    m.lake(28, 24, 6, 5);
    m.path({{14, 28}, {20, 40}, {30, 50}}, 3);
    m.scatter(0.02);
    m.start(10, 10);
    m.camp(30, 52, 4, 4);
    m.camp(56, 36, 3, 3);
    m.camp(14, 56, 3, 3);
    m.camp(46, 8, 2, 3);
    return m;
}

// An archipelago: islands in shallow water, every one a strongpoint.
cMapPlan islands() {
    cMapPlan m(64, 64, 606);
    m.lake(32, 32, 34, 34);
    m.clearing(11, 11, 7);   // the landing beach
    m.clearing(32, 22, 6);
    m.clearing(52, 14, 6);
    m.clearing(14, 40, 6);
    m.clearing(40, 44, 7);
    m.clearing(54, 54, 6);
    m.clearing(22, 58, 5);
    m.forest(40, 46, 3, 0.5);
    m.forest(14, 41, 2, 0.5);
    m.start(11, 11);
    m.camp(32, 22, 2, 2);
    m.camp(52, 14, 2, 2);
    m.camp(14, 40, 2, 2);
    m.camp(40, 44, 3, 3);
    m.camp(54, 54, 3, 2);
    m.camp(22, 58, 2, 2);
    return m;
}

// Deep woods: winding paths between clearings where the enemy has camped.
cMapPlan deepWoods() {
    cMapPlan m(128, 128, 707);
    m.woods(0, 0, 127, 127, 0.55);
    m.path({{10, 6}, {20, 30}, {14, 56}, {30, 80}, {24, 110}, {50, 122}}, 4);
    m.path({{20, 30}, {50, 36}, {70, 20}, {100, 24}, {118, 50}}, 4);
    m.path({{30, 80}, {60, 70}, {84, 84}, {110, 92}, {116, 120}}, 4);
    m.path({{50, 36}, {62, 56}, {60, 70}}, 3);
    m.path({{84, 84}, {90, 60}, {118, 50}}, 3);
    m.clearing(11, 11, 7);
    m.clearing(50, 36, 7);
    m.clearing(100, 24, 8);
    m.clearing(62, 58, 6);
    m.clearing(30, 80, 7);
    m.clearing(84, 84, 8);
    m.clearing(50, 120, 6);
    m.clearing(116, 118, 7);
    m.lake(100, 24, 3, 3);
    m.start(11, 11);
    m.camp(50, 36, 3, 4);
    m.camp(100, 28, 3, 4);
    m.camp(62, 58, 2, 3);
    m.camp(30, 80, 3, 4);
    m.camp(84, 84, 4, 5);
    m.camp(50, 120, 2, 3);
    m.camp(116, 118, 3, 4);
    return m;
}

// A frozen valley: a river between wooded ridges, crossed under guns.
cMapPlan frozenValley() {
    cMapPlan m(128, 128, 808);
    m.setWinter(true);
    m.woods(0, 0, 26, 127, 0.6);
    m.woods(100, 0, 127, 127, 0.6);
    m.river({{60, -2}, {70, 30}, {56, 64}, {72, 96}, {62, 130}}, 7);
    m.path({{56, 40}, {76, 40}}, 3);
    m.path({{52, 84}, {78, 84}}, 3);
    m.forest(44, 60, 8, 0.7);
    m.forest(86, 66, 7, 0.7);
    m.lake(40, 110, 8, 6);
    m.clearing(14, 64, 6);
    m.clearing(114, 30, 6);
    m.path({{14, 64}, {34, 60}}, 3);
    m.path({{114, 30}, {92, 34}}, 3);
    m.scatter(0.02);
    m.start(40, 12);
    m.camp(84, 30, 4, 5);
    m.camp(40, 44, 3, 4);
    m.camp(88, 88, 4, 5);
    m.camp(46, 92, 3, 4);
    m.camp(14, 64, 3, 3);
    m.camp(114, 30, 2, 3);
    m.camp(64, 118, 3, 5);
    return m;
}

// The long march: a wide country of woods, lakes and rivers with camps all over.
cMapPlan longMarch() {
    cMapPlan m(256, 256, 909);
    m.river({{-2, 90}, {60, 100}, {120, 84}, {180, 104}, {258, 96}}, 7);
    m.river({{150, 258}, {140, 200}, {160, 150}, {150, 100}}, 6);
    m.lake(60, 190, 24, 16);
    m.lake(210, 40, 18, 14);
    m.lake(220, 200, 14, 20);
    const double woods[][3] = {{30, 40, 18}, {100, 30, 14}, {160, 50, 16}, {40, 140, 16}, {110, 150, 20},
                               {200, 140, 18}, {100, 220, 16}, {190, 240, 12}, {240, 110, 10}, {20, 230, 12}};
    for (const auto& f : woods) m.forest(f[0], f[1], f[2], 0.75);
    m.path({{70, 95}, {76, 110}}, 4);
    m.path({{176, 96}, {182, 112}}, 4);
    m.scatter(0.01);
    m.start(128, 14);
    const int camps[][3] = {{70, 60, 3},  {190, 80, 3},  {40, 110, 3}, {128, 120, 4}, {220, 160, 3},
                            {80, 170, 3}, {170, 190, 4}, {60, 230, 3}, {128, 240, 4}, {230, 240, 3}};
    for (const auto& c : camps) m.camp(c[0], c[1], c[2], 5);
    return m;
}

}  // namespace

// Every start lies at least ten cells inside the map: the level opens with the
// camera centred on the squad, and a start at the edge shows half a screen of
// nothing beyond the map.
std::vector<sLevelDesign> designLevels() {
    std::vector<sLevelDesign> levels;
    levels.push_back({"01-meadow.bmp", meadow()});
    levels.push_back({"02-the-grove.bmp", grove()});
    levels.push_back({"03-river-crossing.bmp", riverCrossing()});
    levels.push_back({"04-lakeside.bmp", lakeside()});
    levels.push_back({"05-first-snow.bmp", firstSnow()});
    levels.push_back({"06-islands.bmp", islands()});
    levels.push_back({"07-deep-woods.bmp", deepWoods()});
    levels.push_back({"08-frozen-valley.bmp", frozenValley()});
    levels.push_back({"09-the-long-march.bmp", longMarch()});
    return levels;
}

bool writeMaps(const std::string& dir) {
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
