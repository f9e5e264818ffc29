// Small headless worlds for the unit tests: a terrain built from a few painted cells, and list helpers.
#pragma once

#include "assets/cBitmap.h"
#include "weapons/cAmmo.h"
#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"
#include "world/cColision.h"
#include "world/cMap.h"

#include <initializer_list>
#include <utility>

// A w x h map of plain ground with the listed cells painted as trees or water, and its cell grid.
struct testWorld {
    cBitmap bitmap;
    cMap map;
    cColision grid;

    testWorld(int w, int h, std::initializer_list<std::pair<int, int>> trees = {},
              std::initializer_list<std::pair<int, int>> water = {})
        : bitmap(w, h) {
        for (int i = 0; i < w * h; i++) bitmap.setColor(i % w, i / w, 128, 128, 128, 255);
        for (auto [c, r] : trees) bitmap.setColor(c, r, 0, 0, 0, 255);
        for (auto [c, r] : water) bitmap.setColor(c, r, 0, 0, 255, 255);
        map.generate(bitmap);
        grid.resize(w, h);
    }
};

inline int countBullets(const cAmmo& ammo, int type) {
    int n = 0;
    for (cBullet* b = ammo.getBullets(); b; b = b->getNext())
        if (b->getType() == type) n++;
    return n;
}

// Length of a linked list of units or projectiles.
template <class T>
int listLength(T* head) {
    int n = 0;
    for (decltype(head->getNext()) p = head; p; p = p->getNext()) n++;
    return n;
}
