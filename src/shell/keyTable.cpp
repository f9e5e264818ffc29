// The key table's rows: a key a row, in the order the documents list them.
#include "shell/keyTable.h"

namespace {

using enum eKeyAction;
using enum eKeyOwner;

constexpr int kEnter = 13;
constexpr int kEscape = 27;

constexpr sKeyRow chr(eKeyAction a, eKeyOwner o, int code, const char* name, const char* does) {
    return {a, o, code, false, name, does};
}
constexpr sKeyRow fn(eKeyAction a, eKeyOwner o, int number, const char* does) {
    // Each function key's name is "F" and its number, so the name cannot drift from the code.
    constexpr const char* names[] = {"", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
    return {a, o, number, true, names[number], does};
}

// A key a row, even where the documents would group two: each row's action then
// reads on its own, and a mode that adds keys adds rows here.
constexpr sKeyRow kRows[] = {
    chr(switchWeapon, level, 't', "t", "switch between rockets and grenades"),
    chr(pause, level, 'p', "p", "pause or resume"),
    chr(nextLevel, level, kEnter, "Enter",
        "after a win: the next level; after a defeat: the same level again; "
        "on a map that cannot be played: the next level"),
    chr(flee, level, kEscape, "Esc", "flee to the menu (and back to the first level)"),
    chr(tilt, level, '1', "1", "held while the mouse moves: tilt the camera"),
    chr(turn, level, '2', "2", "held while the mouse moves: turn the camera"),
    chr(zoom, level, '3', "3", "held while the mouse moves: zoom the camera"),
    chr(pan, level, ' ', "space", "held while the mouse moves: pan the camera"),
    chr(cameraToLeader, level, 'c', "c", "glide the camera back over the leader (zoom, tilt and turn stay)"),
    chr(lifeMeters, level, 'l', "l", "life meters on or off"),
    chr(miniMap, level, 'n', "n", "minimap on or off"),
    chr(viewCulling, level, 'm', "m", "view culling on or off"),
    chr(finerModels, level, 'v', "v", "finer ball models"),
    chr(coarserModels, level, 'b', "b", "coarser ball models"),
    chr(fullScreen, platform, 'x', "x", "full screen on or off (in a level)"),
    chr(help, game, 'h', "h", "campaign mode: show or hide the controls in a level"),
    chr(console, game, '`', "backquote", "open or close the console"),
    chr(console, game, '~', "tilde", "open or close the console"),
    fn(screenshot, platform, 12, "save a screenshot"),
    fn(consoleMoreTransparent, game, 1, "console background more transparent"),
    fn(consoleLessTransparent, game, 2, "console background less transparent"),
    fn(fpsOpacity, game, 3, "frames-per-second counter opaque or see-through"),
    fn(mouseLock, platform, 4, "lock the mouse to the window, or free it"),
    fn(fullPower, platform, 5, "full power mode: update and draw as fast as possible"),
    chr(addSoldier, level, 'a', "a", "add a soldier"),
    chr(removeSoldier, level, 's', "s", "remove a soldier"),
    chr(addEnemy, level, 'q', "q", "add an enemy"),
    chr(removeEnemy, level, 'w', "w", "remove an enemy"),
    chr(hurtEnemies, level, 'k', "k", "hurt every enemy"),
    chr(fasterWalk, level, '+', "+", "faster walk animation of the leader"),
    chr(slowerWalk, level, '-', "-", "slower walk animation of the leader"),
};

}  // namespace

namespace keyTable {

std::span<const sKeyRow> rows() { return kRows; }

const sKeyRow* find(eKeyOwner owner, int code, bool function) {
    for (const sKeyRow& row : kRows)
        if (row.owner == owner && row.code == code && row.function == function) return &row;
    return nullptr;
}

bool is(int code, eKeyAction action) {
    for (const sKeyRow& row : kRows)
        if (!row.function && row.code == code && row.action == action) return true;
    return false;
}

bool isFunction(int number, eKeyAction action) {
    for (const sKeyRow& row : kRows)
        if (row.function && row.code == number && row.action == action) return true;
    return false;
}

unsigned char code(eKeyAction action) {
    for (const sKeyRow& row : kRows)
        if (!row.function && row.action == action) return static_cast<unsigned char>(row.code);
    // Only actions with a character row are asked for; the table's test holds it to that.
    return 0;
}

}  // namespace keyTable
