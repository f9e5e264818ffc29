// The game controller's lifecycle, menu messages and level transitions.
#include "shell/cGame.h"

#include "level/cLevel.h"
#include "level/cRecorder.h"
#include "ui/cConsole.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>

cGame::cGame() = default;

cGame::~cGame() { dispose(); }

bool cGame::init() {
    render.init();
    width = 800;
    height = 600;
    textures.load();
    meshCont.load();
    sound.load();

    std::fputs("cGame: Creating console.. ", stderr);
    console = new (std::nothrow) cConsole(this, width, height);
    if (!console) {
        std::fputs("FAILED\n", stderr);
        return false;
    }
    std::fputs("OK\n", stderr);
    console->write("Orbix-TAL  v.0.0.2.0");

    std::fputs("cGame: Loading levels.. ", stderr);
    if (!levelLoader.loadLevels()) {
        std::fputs("FAILED\n", stderr);
        return false;
    }
    std::fputs("OK\n", stderr);
    menu.init(this);
    menu.hide();
    state = kMenu;
    fps.show();
    return true;
}

void cGame::dispose() {
    // The level being recorded closes its part of the file while it still exists.
    if (recorder) recorder->finish();
    levelLoader.disposeLevels();
    level = nullptr;
    delete console;
    console = nullptr;
    // Closing the audio device here too lets the menu's quit, which ends the
    // process without destroying the controller, release it cleanly.
    sound.dispose();
}

void cGame::startLevel() {
    level->setCont(&textures, &sound, &meshCont);
    // A recorded level starts from a seed of its own, so it replays without the levels before it.
    if (recorder) recorder->levelStarting(*level, std::random_device()());
    level->init();
    if (recorder) recorder->levelStarted(*level);
    level->setConsole(console);
    state = kLevel;
}

void cGame::showMenu() {
    menu.show();
    state = kMenu;
}

void cGame::msgMenu(int message) {
    switch (message) {
    case 0:
        level = levelLoader.nextLevel();
        if (level) startLevel();
        else showMenu();
        break;
    case 1:
        dispose();
        std::exit(0);
    case 2:
        menu.hide();
        break;
    default:
        break;
    }
}

void cGame::onUpdate(int ms) {
    if (replay) {
        replayUpdate(ms);
        return;
    }
    if (state == kMenu) {
        menu.update(ms);
        return;
    }
    if (state != kLevel || !level) return;
    const int result = level->update(ms);
    if (result == 1) {
        cLevel* finished = level;
        level = levelLoader.nextLevel();
        if (!level) {
            showMenu();
            return;
        }
        startLevel();
        level->setGrenadesCount(finished->getGrenadesCount());
        level->setRocketsCount(finished->getRocketsCount());
    } else if (result == 2) {
        levelLoader.resetLevels();
        showMenu();
    }
}
