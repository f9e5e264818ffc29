// Level construction from its map, disposal, restart, pause and the small setters.
#include "level/cLevel.h"

#include <cstdio>
#include <cstring>

#include "assets/cBitmap.h"
#include "level/replay/cRecorder.h"
#include "level/iLevelLog.h"
#include "world/terrainKinds.h"
#include "world/cLevelRules.h"

namespace {
const char* const mapFolder = "maps/";
}

cLevel::cLevel(int number) : levelNumber(number) {
    mapName[0] = '\0';
    setGrenadesCount(99);
    setRocketsCount(99);
}

cLevel::~cLevel() { dispose(); }

bool cLevel::setMapName(const char* name) {
    mapName[0] = '\0';
    if (name == nullptr || std::strlen(name) > static_cast<size_t>(maxMapFileName))
        return false;
    std::snprintf(mapName, sizeof(mapName), "%s%s", mapFolder, name);
    return true;
}

void cLevel::setCont(cTexture* t, cMeshCont* m) {
    textures = t;
    meshes = m;
}

bool cLevel::start(const sLevelStart& how) {
    setCont(how.textures, how.meshes);
    if (how.run != nullptr)
        runState = how.run;
    // A replay plays the recorded step whatever the controller chose; otherwise the
    // run state takes the chosen one, so that the recording stores it.
    if (how.restore != nullptr)
        *runState = *how.restore;
    else
        runState->difficulty = rules.difficulty;
    rules.difficulty = runState->difficulty;
    seed(how.seed);
    wideView = how.wideView;
    // The recording takes the seed and the run state before the build draws from them.
    if (how.recorder != nullptr)
        how.recorder->levelStarting(*this, how.seed);
    const bool built = init();
    if (wideView)
        camera.zoomOutFully();
    if (how.recorder != nullptr)
        how.recorder->levelStarted(*this);
    setConsole(how.console);
    return built;
}

void cLevel::seed(uint32_t s) {
    gameRandom.reseed(s);
    // Apart from the game's stream, yet a function of the same seed alone.
    looksRandom.reseed(uint64_t(s) | uint64_t(1) << 32);
}

bool cLevel::init() {
    godMode = true;
    dispose();
    camera.reset();
    soundEvents.clear();
    pWinWidth = &winWidth;
    pWinHeight = &winHeight;
    showLifeMeters = true;

    failure.clear();
    inactiveAnswer = answerInactive;
    const auto refuse = [this](const std::string& why) {
        failure = why;
        std::fprintf(stderr, "cLevel: cannot play the map \"%s\": %s.\n", mapName, why.c_str());
        return false;
    };
    cBitmap bitmap(0, 0);
    if (mapName[0] == '\0')
        return refuse("the level has no map file");
    std::string why;
    if (!bitmap.loadFromFile(mapName, why))
        return refuse(why);
    map.setGS(this);
    map.setMeshCont(meshes);
    if (!map.init(bitmap))
        return refuse(map.getRefusal().empty() ? std::string("the map was refused") : map.getRefusal());
    saveMiniMap();

    int sx = 0, sy = 0;
    scanMarkers(bitmap, sx, sy);
    colision.resize(static_cast<int>(map.getX()), static_cast<int>(map.getY()));

    squad = new cPlayerBall(true, this);
    squad->setCont(textures, &soundEvents, meshes);
    squad->setGS(this);
    squad->move(static_cast<float>(sx), static_cast<float>(sy));
    squad->setInitPosition(static_cast<float>(sx), static_cast<float>(sy));
    for (int i = 0; i < 3; i++)
        squad->addSoldier();

    ammo.setSnd(&soundEvents);
    ammo.setSquadDamageScale(squadDamageScale(rules.difficulty));
    camera.translateTo(map.getX() / 2 - sx, map.getY() / 2 - sy);
    ui.init();
    glPending = true;
    beginIntro();
    return true;
}

void cLevel::scanMarkers(cBitmap& bitmap, int& startX, int& startY) {
    const int w = bitmap.getWidth();
    const long long total = static_cast<long long>(w) * bitmap.getHeight();
    const sRGBA* pixels = bitmap.getBitmapS();
    long long start = 0;
    int starts = 0;
    for (long long i = 0; i < total; i++) {
        if (pixels[i] == mapColour::enemy)
            addEnemyAt(static_cast<float>(i % w), static_cast<float>(i / w));
        else if (pixels[i] == mapColour::squad) {
            start = i;
            starts++;
        }
    }
    startX = static_cast<int>(start % w);
    startY = static_cast<int>(start / w);
    // A level maker who left a second marker must learn which one counts, in the
    // places orbix-tool map gives.
    if (starts > 1)
        std::fprintf(stderr,
                     "cLevel: the map \"%s\" has %d start markers; the squad starts at %d,%d"
                     " (x from the left, y from the top).\n",
                     mapName, starts, startX, cLevelRules::imageRow(startY, bitmap.getHeight()));
}

void cLevel::addEnemyAt(float x, float y) {
    if (enemies != nullptr) {
        enemies->addEnemy(x, y);
        return;
    }
    enemies = new cEnemy(nullptr, this);
    enemies->setCont(textures, &soundEvents, meshes);
    enemies->setGS(this);
    enemies->move(x, y);
    enemies->setInitPosition(x, y);
}

void cLevel::dispose() {
    ammo.dispose();
    ui.dispose();
    keys.clearAll();
    for (cPlayerBall** list : {&squad, &fallen}) {
        while (*list != nullptr) {
            cPlayerBall* next = (*list)->getNext();
            delete *list;
            *list = next;
        }
    }
    if (enemies != nullptr) {
        enemies->dispose();
        delete enemies;
        enemies = nullptr;
    }
    levelState = stateInactive;
}

void cLevel::restart() {
    while (fallen != nullptr) {
        cPlayerBall* s = fallen;
        fallen = s->getNext();
        s->heal();
        s->resetPosition();
        s->setNext(nullptr);
        s->setZ(map.getHeight(s->getX(), s->getY()));
        s->setJob(2);
        if (squad == nullptr)
            squad = s;
        else
            squad->insert(s);
    }
    if (squad != nullptr) {
        squad->setGrenades(grenadesCount);
        squad->setRockets(rocketsCount);
        squad->setLeader();
    }
    for (cEnemy* e = enemies; e != nullptr; e = e->getNext()) {
        e->heal();
        e->resetPosition();
        e->resetAmmo();
        e->setPlayerClose(false, true);
        e->setZ(map.getHeight(e->getX(), e->getY()));
    }
    camera.reset();
    if (squad != nullptr)
        camera.translateTo(map.getX() / 2 - squad->getX(), map.getY() / 2 - squad->getY());
    beginIntro();
}

void cLevel::beginIntro() {
    walkBefore = {};
    chordHeld = false;
    show.clear();
    levelTime = 0;
    carriedMs = 0;
    levelState = stateIntro;
}

void cLevel::pause(bool on) {
    if (on && levelState == statePlaying)
        levelState = statePaused;
    else if (!on && levelState == statePaused)
        levelState = statePlaying;
}

void cLevel::setGodMode(bool on) {
    if (log != nullptr)
        log->input({sLevelInput::god, on ? 1 : 0});
    godMode = on;
}

void cLevel::showWater(bool on) {
    if (log != nullptr)
        log->input({sLevelInput::water, on ? 1 : 0});
    map.setShowWater(on);
}

void cLevel::setGrenadesCount(int n) {
    if (log != nullptr)
        log->input({sLevelInput::grenades, n});
    grenadesCount = n;
    if (squad != nullptr)
        squad->setGrenades(n);
}

void cLevel::setRocketsCount(int n) {
    if (log != nullptr)
        log->input({sLevelInput::rockets, n});
    rocketsCount = n;
    if (squad != nullptr)
        squad->setRockets(n);
}

void cLevel::onReshape(int w, int h) {
    winWidth = w;
    winHeight = h;
    aimAtPointer();
}
