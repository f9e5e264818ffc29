// Every projectile in flight in one level, and the rules by which bullets and blasts hurt units.
#pragma once

#include "shell/globals.h"
#include "world/terrainKinds.h"

#include <vector>

class cBullet;
class cGrenade;
class cRocket;
class cSoundEvents;
class cMap;
class cColision;
class cPlayerBall;
class cEnemy;

class cAmmo {
public:
    // Bullet speed for soldiers and enemies alike, world units per second.
    static constexpr float kBulletSpeed = 40.0f;
    // Damage in life points (a full life is 100).
    static constexpr float kEnemyBulletDamage = 10.0f;
    static constexpr float kSquadBulletDamage = 25.0f;
    static constexpr float kBlastDamageToSoldier = 25.0f;
    static constexpr float kBlastDamageToEnemy = 50.0f;
    // A unit this far from an explosion, or nearer, is hurt (world units).
    static constexpr float kBlastRadius = 3.0f;
    // Terrain kind that stops bullets and sets rockets off.
    static constexpr int kTreeTerrain = cellKind::tree;

    cAmmo();
    ~cAmmo();
    cAmmo(const cAmmo&) = delete;
    cAmmo& operator=(const cAmmo&) = delete;

    // New projectiles go to the head of their list. type: 0 squad, 1 enemy.
    void addBullet(float x, float y, float angle, float speed, int type);
    // Grenades and rockets ignore speed; they get the sound events of setSnd.
    void addGrenade(float x, float y, float targetX, float targetY, float speed);
    void addRocket(float x, float y, float targetX, float targetY, float speed);

    // Advances every projectile by dt ms and frees the spent ones: dead
    // bullets and finished grenades and rockets. A bullet killed by
    // applyBulletHits goes at the following update.
    void update(int dt);
    // Draws bullets, grenades, then rockets, each list oldest first.
    void render();
    // Frees everything; safe to call again.
    void dispose();

    // The level tick calls these two after update, in this order.
    // Kills bullets whose latest step touched a tree cell, where they entered it; a bullet in a cell held by a unit of the other
    // side hurts that unit and dies (enemy bullets pass through the squad in
    // god mode). squad and enemies are list heads and may be null. Where given, treeHits
    // gets the place of each bullet a tree stopped, for the drawing to show.
    void applyBulletHits(cMap* map, cColision* grid, cPlayerBall* squad, cEnemy* enemies,
                         bool godMode, std::vector<cPoint>* treeHits = nullptr);
    // Sets off rockets whose latest step touched a tree cell, at its edge, then applies each pending blast
    // once, to soldiers (unless in god mode) and to living enemies alike, and
    // starts its fireball.
    void applyBlasts(cMap* map, cPlayerBall* squad, cEnemy* enemies, bool godMode);

    // What a hit on a soldier does, as a share of its full damage: 1 is the game as it
    // is; the easier steps soften it. Enemies are always hurt in full.
    void setSquadDamageScale(float scale) { squadDamageScale = scale; }
    float getSquadDamageScale() const { return squadDamageScale; }

    cBullet* getBullets() const { return bullets; }
    cRocket* getRockets() const { return rockets; }
    cGrenade* getGrenades() const { return grenades; }
    // Not owned; handed to every new grenade and rocket.
    void setSnd(cSoundEvents* s) { snd = s; }

private:
    cBullet* bullets;    // owned list head
    cRocket* rockets;    // owned list head
    cGrenade* grenades;  // owned list head
    cSoundEvents* snd;   // not owned
    float squadDamageScale = 1.0f;
};
