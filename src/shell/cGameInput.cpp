// The game controller's input routing: console first, then the global keys,
// then the menu or the current level.
#include "shell/cGame.h"

#include "level/cLevel.h"
#include "shell/keyTable.h"
#include "ui/cConsole.h"

namespace {

uint8_t foldKey(unsigned char key) { return key >= 'A' && key <= 'Z' ? uint8_t(key + 32) : key; }

}  // namespace

void cGame::onKeyboard(unsigned char key) {
    const uint8_t folded = foldKey(key);
    // A playback takes no input; ESC stops it.
    if (replay) {
        if (keyTable::is(folded, eKeyAction::flee)) endReplay(0);
        return;
    }
    if (console && console->isActive() && console->parseKey(key)) {
        consoleKeys.setKey(folded);
        return;
    }
    keys.setKey(folded);
    if (keyTable::is(folded, eKeyAction::console)) {
        if (console) {
            if (console->isActive()) console->hide();
            else console->show();
        }
        return;
    }
    if (campaignKey(folded)) return;
    if (state == kLevel && level) level->onKeyboard(folded);
}

void cGame::onKeyboardUp(unsigned char key) {
    if (replay) return;
    const uint8_t folded = foldKey(key);
    // The console took the press (Enter on "close" hides it on the way), so the
    // release is the console's too: it must not restart or advance the level.
    if (consoleKeys.isKey(folded)) {
        consoleKeys.clearKey(folded);
        return;
    }
    if (console && console->isActive()) return;
    keys.clearKey(folded);
    if (state == kLevel && level) level->onKeyboardUp(folded);
    else if (state == kNoLevel && keyTable::is(folded, eKeyAction::flee)) quit(1);
}

void cGame::onSpecialFunc(int key) {
    if (!replay && !(console && console->isActive()) && campaignSpecial(key)) return;
    const sKeyRow* row = keyTable::find(eKeyOwner::game, key, true);
    if (!console || !row) return;
    switch (row->action) {
    case eKeyAction::consoleMoreTransparent:
        console->decBkgAlpha();
        break;
    case eKeyAction::consoleLessTransparent:
        console->incBkgAlpha();
        break;
    case eKeyAction::fpsOpacity:
        fps.setOpaque(!fps.getOpaque());
        break;
    default:
        break;
    }
}

void cGame::onSpecialUpFunc(int) {}

void cGame::onPassiveMotion(int x, int y, int dx, int dy) {
    xMouse = x;
    yMouse = y;
    if (replay) return;
    if (state == kLevel && level) level->onPassiveMotion(mouseButtons, x, y, dx, dy);
    else if (campaignMenu) campaignMenu->onMotion(x, y);
    else menu.onPassiveMotion(mouseButtons, x, y, dx, dy);
}

void cGame::onMouseMotion(int x, int y, int dx, int dy) {
    xMouse = x;
    yMouse = y;
    if (replay) return;
    if (state == kLevel && level) level->onMouseMotion(mouseButtons, x, y, dx, dy);
}

void cGame::onWheel(int notches) {
    if (!replay && state == kLevel && level) level->onWheel(notches);
}

void cGame::onMouseClick(uint8_t mask, int x, int y) {
    xMouse = x;
    yMouse = y;
    if (replay) return;
    if (campaignClick(mask, x, y) || (campaign && state != kLevel)) return;
    mouseButtons = mask;
    if (state != kLevel || !level) {
        menu.onMouseClick(mask, x, y);
        return;
    }
    // The middle button alone leaves the level as it is; the next start takes
    // the following level of the list (in the campaign: the menu, Continue goes on).
    if (mask == 2 && campaign) openCampaignMenu();
    else if (mask == 2) showMenu();
    else level->onMouseClick(mask, x, y);
}
