// The game controller: owns every long-lived object, routes window events to
// the console, the menu or the current level, and switches between them.
#pragma once

#include "assets/cMeshCont.h"
#include "assets/cSound.h"
#include "assets/cTexture.h"
#include "level/replay/cLevelReplay.h"
#include "shell/cKeys.h"
#include "shell/cRender.h"
#include "ui/cCursor.h"
#include "ui/cFPS.h"
#include "ui/cCampaignMenu.h"
#include "ui/cMenu.h"
#include "ui/iConsole.h"
#include "ui/iMenu.h"
#include "world/cLevelLoader.h"
#include "world/cRunState.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cCampaignStore;
class cConsole;
class cLevel;
class cRecorder;
struct sReplay;

class cGame : public iConsole, public iMenu {
public:
    // Controller states. kNoLevel: the level list is empty, and the window says
    // so until the player closes it or presses ESC.
    enum : uint8_t { kUninitialised = 0, kMenu = 1, kLevel = 2, kNoLevel = 3, kCampaignComplete = 4 };
    // What the window layer does when the player ends the game: leave the main
    // loop, so that the controller is deleted and the audio device closed.
    using quitHandler = void (*)(int status);

    cGame();
    ~cGame() override;
    cGame(const cGame&) = delete;
    cGame& operator=(const cGame&) = delete;

    // Needs a current GL context. Loads the content sets (a failed one only
    // reports itself), creates the console and the level list; false when
    // either of those fails.
    bool init();
    // Disposes every level and deletes the console; safe to call again.
    void dispose();

    // Runs the command line just entered in the console (cGameCommands.cpp).
    void consoleCmd() override;
    // 0 start the next level, 1 quit, 2 leave the menu; others are ignored.
    void msgMenu(int message) override;
    // Help lines of the console's command list and key reference (cGameCommands.cpp).
    static int commandsCount();
    static int controlsCount();

    // Projection for 2D drawing: window pixels, origin top-left, y down.
    void setParalelMatrix();
    // Projection for the scene: 45 degrees, near 1, far 1000.
    void setPerspectiveMatrix();

    // Sizes below 1 count as 1. Keeps exactly one saved perspective projection
    // below the current one on the projection stack, for the level's pick.
    void onReshape(int w, int h);
    void onKeyboard(unsigned char key);
    void onKeyboardUp(unsigned char key);
    // F1 to F3 (GLUT special codes 1 to 3), on press.
    void onSpecialFunc(int key);
    void onSpecialUpFunc(int key);
    void onPassiveMotion(int x, int y, int dx, int dy);
    void onMouseMotion(int x, int y, int dx, int dy);
    // mask: buttons held after the change (1 left, 2 middle, 4 right).
    void onMouseClick(uint8_t mask, int x, int y);
    // A wheel notch, away from the player positive; only a level uses it.
    void onWheel(int notches);
    // One tick of the active screen; ms is the measured elapsed time, uncapped.
    void onUpdate(int ms);
    // Draws one frame; the caller swaps the buffers.
    void onDisplay();
    bool isInMenu() const { return state != kLevel; }
    void setQuitHandler(quitHandler handler) { onQuit = handler; }
    // Process status for the end of the game now: 0, or 1 when no level could be
    // found (an end the player did not ask for).
    int getExitStatus() const { return quitStatus >= 0 ? quitStatus : (state == kNoLevel ? 1 : 0); }
    // -1 until the game asks to end.
    int getQuitStatus() const { return quitStatus; }

    // --- recording and playback (cGameReplay.cpp); without them nothing changes.
    // Levels start from seed, seed + 1, ... instead of fresh random seeds, so that the
    // same play draws the same pictures (tests).
    void setFixedSeeds(uint32_t seed) {
        fixedSeeds = true;
        nextSeed = seed;
    }
    // Records every level started from now on; not owned, must outlive the game.
    void setRecorder(cRecorder* r) { recorder = r; }
    // The first level to start is number n (1 the first); false when there are fewer.
    bool skipToLevel(int n);
    int levelCount() const { return levelLoader.getCount(); }
    // Plays the recording back instead of taking the player's input: at its recorded
    // speed, or one recorded tick per update with timedemo, seen from as far out as the
    // camera goes with wideView. Not owned.
    void startReplay(const sReplay* recording, bool timedemo, bool wideView = false);
    bool isReplaying() const { return replay != nullptr; }
    // The recording is played out, stopped with ESC, or went out of step.
    bool isReplayOver() const { return replayOver; }
    // 0 once played out or stopped, 1 after going out of step or failing to start a level.
    int getReplayStatus() const { return replayStatus; }

    // --- campaign mode (cGameCampaign.cpp); without it nothing changes.
    // After init: loads the kept files, applies the settings and opens the menu, which
    // then waits for the player.
    void startCampaign();
    bool isCampaign() const { return campaign != nullptr; }
    // The settings' full screen at start; false outside campaign mode.
    bool wantsFullScreen() const;
    const cCampaignMenu* getCampaignMenu() const { return campaignMenu.get(); }
    bool isHelpShown() const { return helpShown; }
    // Nothing on screen moves by itself: a campaign menu or screen, or a paused level.
    bool isStill() const;

    uint8_t getState() const { return state; }
    cLevel* getLevel() const { return level; }
    cConsole* getConsole() const { return console; }
    const cKeys& getKeys() const { return keys; }
    const cFPS& getFPS() const { return fps; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }

private:
    // A level is set up afresh on every start, from a fresh seed and the game's run state.
    void startLevel();
    // Plays what the current level's ticks and orders asked for since the last call.
    void playLevelSounds();
    void showMenu();
    void quit(int status);
    void renderNoLevel();
    void replayUpdate(int ms);
    // Campaign mode: the level at index from its start, under the settings' rules.
    void startCampaignLevel(size_t index, bool newGame);
    void openCampaignMenu();
    void applySettings();
    void campaignAnswer(const cCampaignMenu::sAnswer& answer);
    void campaignUpdate(int ms);
    void recordCampaignWin();
    void takeCampaignMessages();
    // Keys and clicks while a campaign menu or screen is up; true when taken.
    bool campaignKey(unsigned char key);
    bool campaignSpecial(int key);
    bool campaignClick(uint8_t mask, int x, int y);
    void renderCampaign();
    void renderHelp();
    void renderNotices();
    void renderComplete();
    bool startReplayLevel();
    void endReplay(int status);

    cTexture textures;
    cMeshCont meshCont;
    cSound sound;
    uint8_t mouseButtons = 0;  // last mask received
    int xMouse = 0, yMouse = 0;  // last pointer position; the cursor is drawn there
    uint8_t state = kUninitialised;
    cConsole* console = nullptr;  // owned
    cFPS fps;
    cCursor cursor;
    cRender render;
    int width = 800, height = 600;  // client size; never below 1
    cMenu menu;
    cLevelLoader levelLoader;  // owns every level
    cLevel* level = nullptr;   // not owned; the level being played or last played
    cKeys keys;                // held keys, by folded code
    // Folded keys whose press the open console took: their releases are the
    // console's too, even when the press closed it.
    cKeys consoleKeys;
    quitHandler onQuit = nullptr;
    int quitStatus = -1;

    // What lasts from level to level (ids, names, the water's wave); a replay sets it
    // to what each recorded level started with.
    cRunState runState;
    bool fixedSeeds = false;
    uint32_t nextSeed = 0;
    cRecorder* recorder = nullptr;    // not owned; null unless recording
    const sReplay* replay = nullptr;  // not owned; null unless playing back
    bool timedemo = false;
    bool replayWide = false;
    size_t replayNext = 0;            // index of the next recorded level to start
    bool replayLevelOn = false;       // a recorded level is being fed
    bool replayOver = false;
    int replayStatus = 0;
    int replayBudget = 0;             // ms of real time not yet played, at recorded speed
    cLevelReplay replayFeed;

    std::unique_ptr<cCampaignStore> campaign;  // null without --campaign
    std::vector<cCampaignMenu::sLevelEntry> campaignLevels;
    std::unique_ptr<cCampaignMenu> campaignMenu;
    size_t campaignIndex = 0;     // the level being played, into campaignLevels
    bool winRecorded = false;     // the current level's win is in the kept files
    bool aided = false;           // god mode or a testing-aid key was used in this level
    bool helpShown = false;       // the controls panel is over the level
    // The squad's record since the last New Game, for the campaign's last screen.
    int runWon = 0, runLost = 0;
    int64_t runTimeMs = 0;
    std::vector<std::string> notices;  // the kept files' messages, shown a few seconds
    int noticeMs = 0;
};
