// The game controller's lifecycle, menu messages and level transitions.
#include "shell/cGame.h"

#include "campaign/cCampaignStore.h"
#include "level/cLevel.h"
#include "level/replay/cRecorder.h"
#include "ui/cConsole.h"

#include <cstdio>
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
    sound.dispose();
}

void cGame::startLevel() {
    sLevelStart how;
    how.textures = &textures;
    how.meshes = &meshCont;
    // Each level starts from a seed of its own, so a recorded one replays without the levels before it.
    how.seed = fixedSeeds ? nextSeed++ : std::random_device()();
    how.run = &runState;
    how.recorder = recorder;
    how.console = console;
    level->start(how);
    state = kLevel;
}

void cGame::playLevelSounds() {
    for (int id : level->takeSoundEvents()) sound.play(id);
}

void cGame::showMenu() {
    menu.show();
    state = kMenu;
}

void cGame::quit(int status) {
    quitStatus = status;
    if (onQuit) onQuit(status);
}

void cGame::msgMenu(int message) {
    switch (message) {
    case 0:
        level = levelLoader.nextLevel();
        if (level) {
            startLevel();
        } else if (levelLoader.getCount() == 0) {
            // Passing on to no level for ever would leave a black window.
            if (state != kNoLevel)
                std::fprintf(stderr, "cGame: no level found in the folder \"%s\".\n", levelLoader.getFolder().c_str());
            state = kNoLevel;
        } else {
            showMenu();
        }
        break;
    case 1:
        quit(0);
        break;
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
    if (campaign) {
        campaignUpdate(ms);
        return;
    }
    if (state == kMenu) {
        menu.update(ms);
        return;
    }
    if (state != kLevel || !level) return;
    const int result = level->update(ms);
    playLevelSounds();
    if (result == cLevel::answerNext) {
        cLevel* finished = level;
        level = levelLoader.nextLevel();
        if (!level) {
            showMenu();
            return;
        }
        startLevel();
        level->setGrenadesCount(finished->getGrenadesCount());
        level->setRocketsCount(finished->getRocketsCount());
    } else if (result == cLevel::answerMenu) {
        levelLoader.resetLevels();
        showMenu();
    } else if (result == cLevel::answerSkip) {
        // As the middle button: the menu, then the following level.
        showMenu();
    }
}
