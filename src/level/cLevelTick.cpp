// The level tick: camera, water, squad, enemies, projectiles, hits and the win and failure tests.
#include "level/cLevel.h"

#include "level/iLevelLog.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
const int introLength = 50;  // ms of level time before play starts
}

int cLevel::update(int ms) {
    int answer = answerStay;
    if (levelState == stateInactive) {
        answer = inactiveAnswer;
    } else {
        carriedMs += std::clamp(ms, 0, maxFrameMs);
        while (carriedMs >= stepMs && answer == answerStay) {
            carriedMs -= stepMs;
            answer = tick(stepMs);
        }
        // The caller leaves the level on any answer; a level kept answering must not
        // pile up unplayed time.
        if (answer != answerStay)
            carriedMs = 0;
    }
    // The frame as given, so that a replay hands update the same frames.
    if (log != nullptr)
        log->ticked(*this, ms);
    // A camera that glided moved the ground under a still pointer. The new aim is
    // taken after the frame is logged, so a replay applies it where the game did:
    // between this frame and the next (an aim taken inside a step would be recorded
    // before the frame that contains it, and replayed too early).
    if (!(camera == aimedFrom))
        aimAtPointer();
    return answer;
}

int cLevel::tick(int ms) {
    if (levelState == stateInactive)
        return inactiveAnswer;
    levelTime += ms;
    if ((cameraFollowsLeader() || wideView) && squad != nullptr)
        camera.translateTo(map.getX() / 2 - squad->getX(), map.getY() / 2 - squad->getY());
    camera.update(ms);
    // A restart resets the camera; the wide view stays wide.
    if (wideView)
        camera.zoomOutFully();
    map.update(ms);

    switch (levelState) {
    case stateIntro:
        if (levelTime >= introLength)
            levelState = statePlaying;
        return 0;
    case statePaused:
        return 0;
    case stateLeaving:
        return 2;
    case stateAdvancing:
        return 1;
    // Degrees a second, times ms in floating point: an int product overflows on a long tick.
    case stateFailed:
        camera.rotZ(23.0f * static_cast<float>(ms) / 1000.0f);
        break;
    case stateWon:
        camera.rotZ(-35.0f * static_cast<float>(ms) / 1000.0f);
        break;
    default:
        break;
    }

    // Lives at the tick's start tell the campaign's drawing who was hit in it.
    std::vector<std::pair<const cPlayerBall*, float>> livesBefore;
    if (rules.campaign)
        for (const cPlayerBall* s = squad; s != nullptr; s = s->getNext())
            livesBefore.emplace_back(s, s->getLife());

    colision.clear();
    if (squad != nullptr) {
        squad->update(ms, &map, &ammo, enemies, &colision);
        squad->rotateTo(mouseMapX, mouseMapY);
    }
    if (fallen != nullptr)
        fallen->update(ms, &map, &ammo, enemies, &colision);
    collectFallen();

    if (squad == nullptr) {
        levelState = stateFailed;
        if (enemies != nullptr)
            enemies->setPlayerClose(false, true);
    }

    if (enemies != nullptr)
        enemies->update(ms, &map, &ammo, &colision);
    if (!anyEnemyAlive() && levelState != stateWon) {
        levelState = stateWon;
        if (squad != nullptr) {
            squad->beHappy();
            grenadesCount = squad->getGrenadesCount();
            rocketsCount = squad->getRocketsCount();
        }
    }

    ammo.update(ms);
    std::vector<cPoint> treeHits;
    ammo.applyBulletHits(&map, &colision, squad, enemies, godMode, rules.campaign ? &treeHits : nullptr);
    ammo.applyBlasts(&map, squad, enemies, godMode);
    if (rules.campaign)
        noteHits(treeHits, livesBefore);
    return 0;
}

void cLevel::noteHits(const std::vector<cPoint>& treeHits,
                      const std::vector<std::pair<const cPlayerBall*, float>>& livesBefore) {
    show.expire(levelTime);
    for (const cPoint& p : treeHits)
        show.addPuff(static_cast<float>(p.x), static_cast<float>(p.y), levelTime);
    // A soldier who fell this tick is still in one of the two lists until the next.
    for (const auto& [soldier, life] : livesBefore)
        if (soldier->getLife() < life)
            show.addHit(soldier->getName(), levelTime);
}

void cLevel::collectFallen() {
    cPlayerBall* prev = nullptr;
    cPlayerBall* s = squad;
    while (s != nullptr) {
        cPlayerBall* next = s->getNext();
        if (s->isAlive()) {
            prev = s;
        } else {
            if (prev == nullptr)
                squad = next;
            else
                prev->setNext(next);
            s->setNext(nullptr);
            if (rules.campaign)
                show.addFall(s->getName(), s->getX(), s->getY(), levelTime);
            if (fallen == nullptr)
                fallen = s;
            else
                fallen->insert(s);
        }
        s = next;
    }
}

bool cLevel::anyEnemyAlive() const {
    for (const cEnemy* e = enemies; e != nullptr; e = e->getNext())
        if (e->isAlive())
            return true;
    return false;
}
