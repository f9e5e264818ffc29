// One playable level: its terrain, squad, enemies and projectiles, the state machine, tick, controls and drawing.
#pragma once

// The camera and the held-key table sit with the controller in shell/, but they are
// plain state with no GL: the simulation library compiles them for the level.
#include "shell/cCamera.h"
#include "shell/cKeys.h"
#include "ui/cUI.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "weapons/cAmmo.h"
#include "world/cColision.h"
#include "world/cGameSetup.h"
#include "world/cMap.h"
#include "level/iLevelDrawing.h"
#include "level/cLevelShow.h"
#include "level/playRules.h"
#include "world/cSoundEvents.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cConsole;
class cLevelFont;
class cRecorder;
class iLevelLog;
struct sLevelInput;
class cMeshCont;
class cTexture;

// What a level is started with, wherever it is started (the game, a replay, the tool).
struct sLevelStart {
    cTexture* textures = nullptr;   // content sets, not owned; null ones are not drawn
    cMeshCont* meshes = nullptr;
    uint32_t seed = 0;              // of both random streams
    cRunState* run = nullptr;       // the program's run state, not owned; null keeps the level's own
    // A recording's run state at this level's start, copied into *run before the build.
    const cRunState* restore = nullptr;
    cRecorder* recorder = nullptr;  // not owned; null records nothing
    cConsole* console = nullptr;    // not owned
    // The camera as far out as it goes, following the squad: what the player sees at its
    // widest, for timing a replay. Only the view changes, never the game.
    bool wideView = false;
};

class cLevel : public cGameSetup {
public:
    // Values of levelState; the controller only sees them through update's answer.
    enum {
        stateIntro = 0,
        statePlaying = 1,
        statePaused = 2,
        stateFailed = 3,
        stateLeaving = 4,
        stateWon = 5,
        stateAdvancing = 6,
        stateInactive = 7
    };
    // Answers of update.
    enum { answerStay = 0, answerNext = 1, answerMenu = 2, answerInactive = 3, answerSkip = 4 };
    // Longest map file name that fits mapName behind the "maps/" prefix.
    static constexpr int maxMapFileName = 250;
    // The simulation moves in steps of this much game time, whatever the frame rate,
    // so every rule sees the same steps on a fast machine and a slow one.
    static constexpr int stepMs = 5;
    // A frame never plays more than this: a stall or a suspended process would
    // otherwise play out unseen.
    static constexpr int maxFrameMs = 250;

    explicit cLevel(int levelNumber);
    ~cLevel();
    cLevel(const cLevel&) = delete;
    cLevel& operator=(const cLevel&) = delete;

    // --- setup and lifecycle (cLevel.cpp)
    // Refuses (and leaves mapName empty) a name longer than maxMapFileName.
    bool setMapName(const char* name);
    const char* getMapName() const { return mapName; }
    void setCont(cTexture* textures, cMeshCont* meshes);
    // The one way a level starts: content, run state, seed, recording, build, console.
    // Answers init's answer.
    bool start(const sLevelStart& how);
    // Seeds both streams from seed, each in its own way, so they never run in step.
    void seed(uint32_t seed);
    // Builds the whole simulation from the map file; the GL resources (font, minimap
    // texture) follow in the first render after it, so a level also runs headless.
    // A map that cannot be played leaves the level inactive, with getFailure saying
    // why (on standard error too, and in the window).
    bool init();
    const std::string& getFailure() const { return failure; }
    void dispose();
    void restart();
    void pause(bool on);
    void setConsole(cConsole* c) { console = c; }
    // Kept across init and restart; the controller sets them before a level starts.
    void setPlayRules(const sPlayRules& r) {
        rules = r;
        colourBlind = r.colourBlind;
    }
    const sPlayRules& getPlayRules() const { return rules; }
    cConsole* getConsole() const { return console; }
    void setGodMode(bool on);
    bool getGodMode() const { return godMode; }
    void showWater(bool on);
    int getGrenadesCount() const { return grenadesCount; }
    int getRocketsCount() const { return rocketsCount; }
    void setGrenadesCount(int n);
    void setRocketsCount(int n);
    void onReshape(int w, int h);

    // --- tick (cLevelTick.cpp): plays a frame of ms (at most maxFrameMs) as whole steps of
    // stepMs, carrying the rest to the next frame, and answers for the first step that
    // answers: 0 stay, 1 next level, 2 back to the menu, 3 inactive, 4 this level cannot
    // be played and the player goes on (to the menu and the next level).
    // The intro ends in the first step at or after 50 ms of level time.
    int update(int ms);
    // The sound ids the ticks and orders asked for since the last call, oldest first; the
    // game plays them, headless callers may leave them (the list stays bounded).
    std::vector<int> takeSoundEvents() { return soundEvents.take(); }

    // --- input (cLevelInput.cpp)
    void onKeyboard(unsigned char key);
    void onKeyboardUp(unsigned char key);
    void onPassiveMotion(unsigned char buttons, int x, int y, int dx, int dy);
    void onMouseMotion(unsigned char buttons, int x, int y, int dx, int dy);
    void onMouseClick(unsigned char buttons, int x, int y);
    // The mouse wheel, notches away from the player positive: zooms in; towards, out.
    void onWheel(int notches);
    // What the mouse handlers do once they have the ground point under the pointer;
    // callers with no pointer (bot play, replays) give the point directly. The three
    // orders act only while playing, as the clicks do.
    void aimAt(float gx, float gy);        // the squad turns to (gx, gy)
    void orderMove(float gx, float gy);    // left button
    void orderFire();                      // right button: along the squad's heading
    void orderLaunch(float gx, float gy);  // both buttons: rocket or grenade as selected
    // Takes back the last walk order, if nothing has replaced it: the leader's walk and the
    // camera's target as they were before it.
    void withdrawMove();
    // The controller carries the choice to the next level with isRocketSelected and this,
    // after that level's start, so that its recording holds it.
    void selectRocket(bool rocket);
    // Mouse motion stops the squad's fire (not while only the right button is held).
    void holdFire();

    // --- recording and replay (cLevelInput.cpp)
    // Every input that changes the simulation (the operations above, the keys' releases,
    // the console's god and showWater, the carried ammunition) and every tick go to the
    // log as they happen; null (the default) records nothing. Not owned.
    void setLog(iLevelLog* l) { log = l; }
    void apply(const sLevelInput& input);

    // --- drawing (cLevelRender.cpp)
    void render();
    void renderUI(int w, int h);

    // --- read access for the controller, the console and tests
    int getLevelNumber() const { return levelNumber; }
    int getState() const { return levelState; }
    int64_t getLevelTime() const { return levelTime; }
    bool getFov() const { return fov; }
    bool isRocketSelected() const { return rocketSelected; }
    cPlayerBall* getSquad() const { return squad; }
    cPlayerBall* getFallen() const { return fallen; }
    cEnemy* getEnemies() const { return enemies; }
    cAmmo& getAmmo() { return ammo; }
    cMap& getMap() { return map; }
    const cCamera& getCamera() const { return camera; }
    // Campaign only: recent tree hits, soldiers' hits and falls, for the drawing.
    const cLevelShow& getShow() const { return show; }

private:
    int tick(int ms);
    // The clock, the orders in flight and the messages start over, at the intro.
    void beginIntro();
    // In the campaign, unless the classic camera is chosen, the view keeps the leader
    // centred instead of gliding to each order.
    bool cameraFollowsLeader() const { return rules.campaign && !rules.classicCamera; }
    // In the campaign a launch chord orders nothing but its launch; answers whether the
    // click belonged to one.
    bool launchChord(unsigned char buttons, int x, int y);
    // Ground point (z = 0) under window pixel (x, y) through the level's view; where the
    // pixel sees no ground, the ground point last aimed at.
    void pick(int x, int y, float& gx, float& gy) const;
    // Once a pointer has been seen, aims at the ground under it; a level driven without
    // one (bots, replays) keeps the aims it is given.
    void aimAtPointer();
    void scanMarkers(cBitmap& bitmap, int& startX, int& startY);
    void addEnemyAt(float x, float y);
    void collectFallen();
    // Campaign only: what this tick's hits did, for the drawing.
    void noteHits(const std::vector<cPoint>& treeHits,
                  const std::vector<std::pair<const cPlayerBall*, float>>& livesBefore);
    bool anyEnemyAlive() const;
    void buildGL();
    void buildFont();
    // The font that buildFont made; null before.
    const cLevelFont* font() const;
    void drawText(const char* text, int colour, int x, int y, float sx, float sy);
    void renderMessages(int w, int h);
    // Inactive after a failed init: which map, why, and how to go on.
    void renderFailure(int w, int h);
    void renderMiniMap(int h);
    // Campaign only: arrows at the window's edge towards awake enemies out of view.
    void renderThreatMarkers(int w, int h);
    // Campaign only: tree puffs, hit flashes and fall marks in the scene, and the
    // "has fallen" lines in the HUD.
    void renderShow();
    void renderFallLines(int w, int h);

    cTexture* textures = nullptr;   // not owned
    cMeshCont* meshes = nullptr;    // not owned
    bool fov = false;
    int levelNumber;
    char mapName[256];
    cMap map;
    bool godMode = false;
    cCamera camera;
    bool wideView = false;  // see sLevelStart
    cKeys keys;
    int winWidth = 800, winHeight = 600;   // pixels
    int mouseX = 0, mouseY = 0;            // window pixels, origin top-left
    float mouseMapX = 0, mouseMapY = 0;    // ground point under the mouse, world units
    cPlayerBall* squad = nullptr;          // owned; head is the leader
    cPlayerBall* fallen = nullptr;         // owned; in order of death
    int grenadesCount = 99;
    int rocketsCount = 99;
    cEnemy* enemies = nullptr;             // owned; dead enemies stay listed
    cAmmo ammo;
    cSoundEvents soundEvents;              // the units and projectiles emit into it
    cColision colision;
    bool rocketSelected = true;
    cUI ui;
    std::unique_ptr<iLevelDrawing> drawing;  // the message font (a cLevelFont); null until drawn
    int64_t levelTime = 0;                 // ms since the last init or restart; never overflows
    int carriedMs = 0;                     // frame time not yet played, under one step
    int levelState = stateInactive;
    std::string failure;                   // why init failed; empty otherwise
    int inactiveAnswer = answerInactive;   // what update answers while inactive
    cConsole* console = nullptr;           // not owned
    sPlayRules rules;
    cLevelShow show;                       // campaign only; never part of the game's state
    // The GL side of a build (minimap texture, font) is made by the first render,
    // which is also the first moment a GL context is sure to exist.
    bool glPending = false;
    iLevelLog* log = nullptr;              // not owned
    // The pointer's aim follows it, and the camera: aimedFrom is the view of the last
    // pointer aim, so a glide, zoom or turn re-aims at what now lies under the pointer.
    bool pointerSeen = false;
    cCamera aimedFrom;
    // What the last walk order replaced, so that a launch chord's first button can take it back.
    struct sWalkBefore {
        bool valid = false;
        int leaderId = 0;
        float targetX = 0, targetY = 0;
        bool moving = false;
        float cameraX = 0, cameraY = 0;
        int64_t at = 0;  // level time of the order
    } walkBefore;
    bool chordHeld = false;  // a launch chord's buttons are down: their release orders nothing
};
