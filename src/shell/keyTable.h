// The game's key bindings: one row a key, read by the key handlers and checked against README.md and the man page.
#pragma once

#include <span>

// Who acts on a key: the window code (main.cpp), the game controller, or the level being played.
enum class eKeyOwner { platform, game, level };

// What a key does; the handlers switch on these, so a binding changes in the table alone.
enum class eKeyAction {
    nextLevel, flee, switchWeapon, pause,
    tilt, turn, zoom, pan, cameraToLeader,
    lifeMeters, miniMap, viewCulling, finerModels, coarserModels,
    addSoldier, removeSoldier, addEnemy, removeEnemy, hurtEnemies, fasterWalk, slowerWalk,
    console, consoleMoreTransparent, consoleLessTransparent, fpsOpacity,
    mouseLock, fullPower, screenshot, fullScreen, help,
};

struct sKeyRow {
    eKeyAction action;
    eKeyOwner owner;
    // The character as the handlers receive it (letters folded to lower case), or
    // a function key's number: GLUT reports those apart, numbered 1 to 12.
    int code;
    bool function;
    const char* name;  // the key as both documents name it
    const char* does;  // the action as both documents say it, ignoring case; they may add to it
};

namespace keyTable {
std::span<const sKeyRow> rows();
// The row of a key as its owner receives it; null where the key does nothing.
const sKeyRow* find(eKeyOwner owner, int code, bool function = false);
// Whether the character key, or the function key, is the one bound to the action.
bool is(int code, eKeyAction action);
bool isFunction(int number, eKeyAction action);
// The character bound to an action, for handlers that ask whether it is held.
unsigned char code(eKeyAction action);
}  // namespace keyTable
