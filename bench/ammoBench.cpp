// The projectiles' share of a tick in a big firefight: flight, list upkeep, bullet hits and blasts.
#include "assets/cBitmap.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "weapons/cAmmo.h"
#include "weapons/cBullet.h"
#include "world/cColision.h"
#include "world/cMap.h"

#include <benchmark/benchmark.h>

namespace {
constexpr int kSide = 256;
constexpr int kTickMs = 5;

// Two lines of 100 units facing each other across a field with scattered trees;
// each tick both lines fire enough to keep about 1000 bullets in the air, and
// now and then a grenade or a rocket goes over.
struct firefight {
    cBitmap picture;
    cMap map;
    cColision grid;
    cAmmo ammo;
    cPlayerBall squad{true};
    cEnemy* enemies = nullptr;
    int tick = 0;
    cRandomStream layout{3};

    firefight() {
        picture.resize(kSide, kSide);
        sRGBA* px = picture.getBitmapS();
        for (int i = 0; i < kSide * kSide; i++)
            px[i] = (i * 37) % 101 == 0 ? sRGBA(0, 0, 0, 255) : sRGBA(90, 150, 60, 255);
        map.generate(picture);
        grid.resize(kSide, kSide);
        enemies = new cEnemy(nullptr);
        for (int i = 0; i < 100; i++) enemies = new cEnemy(enemies);
        // Nobody moves, so the grid is filled once.
        int i = 0;
        for (cEnemy* e = enemies; e; e = e->getNext(), i++) {
            e->move(28.0f + i, 140.0f);
            grid.putObject(28 + i, 140, e->getID(), 0);
        }
        squad.move(60.5f, 128.5f);
        grid.putObject(60, 128, squad.getID(), 0);
    }
    ~firefight() { delete enemies; }

    void step() {
        for (int k = 0; k < 5; k++) {
            float x = 28.0f + float(layout.below(100));
            ammo.addBullet(x, 125.0f, 90.0f, cAmmo::kBulletSpeed, 0);
            ammo.addBullet(x, 143.0f, -90.0f, cAmmo::kBulletSpeed, 1);
        }
        if (++tick % 20 == 0) {
            ammo.addGrenade(60.0f, 126.0f, float(30 + layout.below(90)), 140.0f, 15.0f);
            ammo.addRocket(60.0f, 126.0f, float(30 + layout.below(90)), 160.0f, 15.0f);
        }
        ammo.update(kTickMs);
        // God mode keeps the one soldier standing; every enemy hit is healed
        // below so the numbers stay steady.
        ammo.applyBulletHits(&map, &grid, &squad, enemies, true);
        ammo.applyBlasts(&map, &squad, enemies, true);
        for (cEnemy* e = enemies; e; e = e->getNext())
            if (e->getLife() < 50.0f) e->heal();
    }
};
}  // namespace

static void BM_AmmoFirefight(benchmark::State& state) {
    firefight f;
    for (int i = 0; i < 400; i++) f.step();  // fill the air first
    for (auto _ : state) f.step();
    int bullets = 0;
    for (cBullet* b = f.ammo.getBullets(); b; b = b->getNext()) bullets++;
    state.counters["bullets"] = bullets;
}
BENCHMARK(BM_AmmoFirefight)->Unit(benchmark::kMicrosecond);
