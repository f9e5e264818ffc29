// The cost of one simulation tick of a big battle: squad, enemies, water and projectiles on a large map.
#include <benchmark/benchmark.h>

#include "assets/cBitmap.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "weapons/cAmmo.h"
#include "weapons/cBullet.h"
#include "world/cColision.h"
#include "world/cGameSetup.h"
#include "world/cMap.h"

namespace {

constexpr int kSide = 256;
constexpr int kEnemies = 200;
constexpr int kSoldiers = 50;
constexpr int kTickMs = 5;

// Plain ground with a tenth of it water (a lake and a river) and some scattered trees.
void paintBattlefield(cBitmap& bmp) {
    bmp.resize(kSide, kSide);
    sRGBA* px = bmp.getBitmapS();
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            sRGBA p(120, 160, 60, 255);
            bool lake = c >= 20 && c < 90 && r >= 150 && r < 220;
            bool river = c >= 200 && c < 208;
            if (lake || river)
                p = sRGBA(0, 0, 255, 255);
            else if ((r * 31 + c * 17) % 97 == 0)
                p = sRGBA(0, 0, 0, 255);
            px[r * kSide + c] = p;
        }
}

// The level tick's order of work, without camera and drawing.
struct battle {
    cBitmap bitmap;
    cGameSetup setup;
    cMap map;
    cColision grid;
    cAmmo ammo;
    cPlayerBall* squad = nullptr;
    cEnemy* enemies = nullptr;
    int ticks = 0;
    cRandomStream layout{42};

    battle() {
        paintBattlefield(bitmap);
        map.setGS(&setup);
        map.init(bitmap);
        grid.resize(kSide, kSide);

        squad = new cPlayerBall(true, &setup);
        squad->setGS(&setup);
        squad->move(120.5f, 120.5f);
        for (int i = 1; i < kSoldiers; ++i) squad->addSoldier();

        // The enemies crowd east of the squad, all within sight of its leader.
        for (int i = 0; i < kEnemies; ++i) {
            float ex = 122.0f + float(layout.below(1200)) / 100.0f;
            float ey = 114.0f + float(layout.below(1200)) / 100.0f;
            if (!enemies) {
                enemies = new cEnemy(nullptr, &setup);
                enemies->setGS(&setup);
                enemies->move(ex, ey);
            } else {
                enemies->addEnemy(ex, ey);
            }
        }
        // Soldiers fire away from the enemies so the battle never ends.
        squad->shoot(0, 0);
        for (int i = 0; i < 400; ++i) tick();
    }

    ~battle() {
        while (squad) {
            cPlayerBall* next = squad->getNext();
            delete squad;
            squad = next;
        }
        delete enemies;
    }

    void tick() {
        map.update(kTickMs);
        grid.clear();
        // The leader paces up and down in front of the enemy crowd.
        if (ticks % 800 == 0) squad->moveTo(118.5f, ticks % 1600 ? 126.5f : 114.5f);
        squad->update(kTickMs, &map, &ammo, enemies, &grid);
        squad->rotateTo(60.5f, 120.5f);
        // Crossfire from the far side keeps a few hundred bullets in the air.
        for (int i = 0; i < 3; ++i)
            ammo.addBullet(100.0f + float(layout.below(4000)) / 100.0f, 100.0f, 90.0f, cAmmo::kBulletSpeed, i & 1);
        enemies->update(kTickMs, &map, &ammo, &grid);
        ammo.update(kTickMs);
        ammo.applyBulletHits(&map, &grid, squad, enemies, true);
        ammo.applyBlasts(&map, squad, enemies, true);
        // Fallen enemies get up again to keep the crowd the same size.
        if (ticks % 200 == 0)
            for (cEnemy* e = enemies; e; e = e->getNext())
                if (!e->isAlive()) e->heal();
        ++ticks;
    }

    int bulletsInFlight() const {
        int n = 0;
        for (cBullet* b = ammo.getBullets(); b; b = b->getNext()) ++n;
        return n;
    }
};

void BM_TickBattle(benchmark::State& state) {
    battle b;
    long long bullets = 0;
    for (auto _ : state) {
        b.tick();
        bullets += b.bulletsInFlight();
    }
    state.counters["bullets"] = benchmark::Counter(double(bullets) / double(state.iterations()));
}
BENCHMARK(BM_TickBattle)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace
