// The game controller in campaign mode: the waiting menu, the kept settings, progress and
// scores, the controls panel and the campaign's last screen.
#include "shell/cGame.h"

#include "campaign/cCampaignStore.h"
#include "level/cLevel.h"
#include "level/replay/cRecorder.h"
#include "platform/hudGlut.h"
#include "platform/keptFolders.h"
#include "shell/appGlobals.h"
#include "shell/keyTable.h"

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>

namespace {

// How long the kept files' messages stay in the window.
constexpr int kNoticeMs = 8000;

std::string mapFile(const cLevel& level) { return std::filesystem::path(level.getMapName()).filename().string(); }

int countFallen(const cLevel& level) {
    int n = 0;
    for (const cPlayerBall* p = level.getFallen(); p; p = p->getNext()) ++n;
    return n;
}

// The keys that change the fight for testing: a level won with them scores nothing.
bool isTestingAid(unsigned char key) {
    for (eKeyAction a : {eKeyAction::addSoldier, eKeyAction::removeSoldier, eKeyAction::addEnemy,
                         eKeyAction::removeEnemy, eKeyAction::hurtEnemies})
        if (keyTable::is(key, a)) return true;
    return false;
}

}  // namespace

void cGame::startCampaign() {
    campaign = std::make_unique<cCampaignStore>(keptConfigFolder(), keptDataFolder());
    campaign->load();
    takeCampaignMessages();
    campaignLevels.clear();
    for (int i = 0; i < levelLoader.getCount(); ++i) {
        const cLevel* l = levelLoader.getLevel(i);
        campaignLevels.push_back({mapFile(*l), cRecorder::mapHash(l->getMapName())});
    }
    campaignMenu = std::make_unique<cCampaignMenu>(*campaign, campaignLevels);
    campaignMenu->resize(width, height);
    applySettings();
    bLockMouse = campaign->getSettings().mouseLock;
    openCampaignMenu();
}

bool cGame::isStill() const {
    if (state == kMenu || state == kCampaignComplete) return true;
    return state == kLevel && level && level->getState() == cLevel::statePaused;
}

bool cGame::wantsFullScreen() const { return campaign && campaign->getSettings().fullscreen; }

void cGame::applySettings() {
    const cSettings& s = campaign->getSettings();
    sound.setGain(s.mute ? 0.0f : float(s.volume) / 100.0f);
    if (s.fpsCounter) fps.show();
    else fps.hide();
}

void cGame::takeCampaignMessages() {
    for (const std::string& m : campaign->takeMessages()) {
        std::fprintf(stderr, "campaign: %s\n", m.c_str());
        notices.push_back(m);
        noticeMs = kNoticeMs;
    }
}

void cGame::openCampaignMenu() {
    menu.hide();
    campaignMenu->open();
    helpShown = false;
    state = kMenu;
    std::fputs("campaign: menu\n", stderr);
}

void cGame::startCampaignLevel(size_t index, bool newGame) {
    if (index >= campaignLevels.size() || !skipToLevel(int(index) + 1)) return;
    level = levelLoader.nextLevel();
    if (!level) return;
    if (newGame) {
        runWon = runLost = 0;
        runTimeMs = 0;
    }
    const cSettings& s = campaign->getSettings();
    sPlayRules rules;
    rules.difficulty = s.difficulty;
    rules.campaign = true;
    rules.classicCamera = s.camera == cSettings::eCamera::classic;
    rules.colourBlind = s.colourBlind;
    level->setPlayRules(rules);
    campaignIndex = index;
    startLevel();
    // A campaign is played for real: the console's god 1 stays there for testing.
    level->setGodMode(false);
    level->showMiniMap = s.minimap;
    winRecorded = false;
    aided = false;
    helpShown = newGame && index == 0;
    std::fprintf(stderr, "campaign: level %zu (%s) on %s, god mode %s\n", index + 1,
                 campaignLevels[index].file.c_str(), std::string(difficultyName(s.difficulty)).c_str(),
                 level->getGodMode() ? "on" : "off");
    cProgress& p = campaign->getProgress();
    p.markReached(s.difficulty, campaignLevels[index].file);
    p.setLast(s.difficulty, campaignLevels[index].file);
    campaign->saveProgress();
    takeCampaignMessages();
}

void cGame::recordCampaignWin() {
    winRecorded = true;
    const eDifficulty d = campaign->getSettings().difficulty;
    const cCampaignMenu::sLevelEntry& entry = campaignLevels[campaignIndex];
    const int lost = countFallen(*level);
    ++runWon;
    runLost += lost;
    runTimeMs += level->getLevelTime();
    cProgress& p = campaign->getProgress();
    p.markWon(d, entry.file);
    // Continue then starts the next level; after the last one, the last again.
    const size_t next = campaignIndex + 1 < campaignLevels.size() ? campaignIndex + 1 : campaignIndex;
    p.markReached(d, campaignLevels[next].file);
    p.setLast(d, campaignLevels[next].file);
    campaign->saveProgress();
    if (!aided) {
        campaign->getScores().recordWin(d, entry.file, entry.hash, level->getLevelTime(), lost, cScores::today());
        campaign->saveScores();
    }
    std::fprintf(stderr, "campaign: level %zu won in %lld ms, %d lost%s\n", campaignIndex + 1,
                 static_cast<long long>(level->getLevelTime()), lost, aided ? " (testing aids: no score)" : "");
    takeCampaignMessages();
}

void cGame::campaignUpdate(int ms) {
    if (noticeMs > 0 && (noticeMs -= ms) <= 0) notices.clear();
    if (state != kLevel || !level) return;
    const int result = level->update(ms);
    playLevelSounds();
    if (level->getGodMode()) aided = true;
    if (level->getState() == cLevel::stateWon && !winRecorded) recordCampaignWin();
    if (result == cLevel::answerNext) {
        if (campaignIndex + 1 >= campaignLevels.size()) {
            state = kCampaignComplete;
            return;
        }
        const int grenades = level->getGrenadesCount(), rockets = level->getRocketsCount();
        const bool rocket = level->isRocketSelected();
        startCampaignLevel(campaignIndex + 1, false);
        level->setGrenadesCount(grenades);
        level->setRocketsCount(rockets);
        // The weapon the player chose goes on with him, as an order the recording keeps.
        level->selectRocket(rocket);
    } else if (result == cLevel::answerMenu || result == cLevel::answerSkip) {
        openCampaignMenu();
    }
}

void cGame::campaignAnswer(const cCampaignMenu::sAnswer& answer) {
    switch (answer.choice) {
    case cCampaignMenu::eChoice::play:
        startCampaignLevel(size_t(answer.level), answer.level == 0 && campaignMenu->getSelected() == 0);
        break;
    case cCampaignMenu::eChoice::quit:
        quit(0);
        break;
    case cCampaignMenu::eChoice::settingsChanged:
        applySettings();
        bLockMouse = campaign->getSettings().mouseLock;
        takeCampaignMessages();
        break;
    case cCampaignMenu::eChoice::none:
        break;
    }
}

bool cGame::campaignKey(unsigned char key) {
    if (!campaign) return false;
    if (state == kMenu) {
        campaignAnswer(campaignMenu->onKey(key));
        return true;
    }
    if (state == kCampaignComplete) {
        if (key == 13) openCampaignMenu();
        return true;
    }
    if (state != kLevel) return false;
    if (keyTable::is(key, eKeyAction::help)) {
        helpShown = !helpShown;
        return true;
    }
    helpShown = false;
    if (isTestingAid(key)) aided = true;
    return false;
}

bool cGame::campaignSpecial(int key) {
    if (!campaign || state != kMenu) return false;
    campaignAnswer(campaignMenu->onSpecial(key));
    return true;
}

bool cGame::campaignClick(uint8_t mask, int x, int y) {
    if (!campaign) return false;
    if (state == kLevel) {
        helpShown = false;
        return false;
    }
    // The menu acts on the release, so that the release does not reach the level it starts.
    const bool released = (mouseButtons & 1) && !(mask & 1);
    mouseButtons = mask;
    if (state == kMenu && released) campaignAnswer(campaignMenu->onClick(x, y));
    else if (state == kCampaignComplete && released) openCampaignMenu();
    return true;
}
