// Level controls: keys act on release, mouse buttons by the mask held after each change.
#include "level/cLevel.h"

#include <cstdio>

#include "level/iLevelLog.h"
// The one key table, in shell/ with the controller that shares it; no GL in it.
#include "shell/keyTable.h"

namespace {
const int soundRoger = 1;
const int moodTalking = 4;
const float launchSpeed = 15.0f;
const float enemyKeyDamage = 35.0f;
}

void cLevel::onKeyboard(unsigned char key) {
    keys.setKey(key);
}

void cLevel::onKeyboardUp(unsigned char key) {
    if (log != nullptr)
        log->input({sLevelInput::keyUp, key});
    keys.clearKey(key);
    const sKeyRow* row = keyTable::find(eKeyOwner::level, key);
    if (row == nullptr)
        return;
    // A level that cannot be played must not trap the player: ENTER goes on as
    // the middle button does, ESC flees as it does in play.
    if (levelState == stateInactive) {
        if (row->action == eKeyAction::nextLevel)
            inactiveAnswer = answerSkip;
        else if (row->action == eKeyAction::flee)
            inactiveAnswer = answerMenu;
        return;
    }
    switch (row->action) {
    case eKeyAction::nextLevel:
        if (levelState == stateFailed)
            restart();
        else if (levelState == stateWon)
            levelState = stateAdvancing;
        break;
    case eKeyAction::flee:
        if (levelState == stateIntro || levelState == statePlaying || levelState == stateFailed)
            levelState = stateLeaving;
        break;
    case eKeyAction::fasterWalk:
        if (squad != nullptr)
            squad->setValue(0.1f);
        break;
    case eKeyAction::slowerWalk:
        if (squad != nullptr)
            squad->setValue(-0.1f);
        break;
    case eKeyAction::addSoldier:
        if (squad != nullptr)
            squad->addSoldier();
        break;
    case eKeyAction::coarserModels:
        for (cPlayerBall* s = squad; s != nullptr; s = s->getNext())
            s->lodInc();
        for (cEnemy* e = enemies; e != nullptr; e = e->getNext())
            e->lodInc();
        break;
    case eKeyAction::cameraToLeader:
        // Back over the leader, for a squad that walked out of view; zoom, tilt and turn stay.
        if (squad != nullptr)
            camera.translateTo(map.getX() / 2 - squad->getX(), map.getY() / 2 - squad->getY());
        break;
    case eKeyAction::hurtEnemies:
        for (cEnemy* e = enemies; e != nullptr; e = e->getNext())
            e->hurt(e->getID(), enemyKeyDamage);
        break;
    case eKeyAction::lifeMeters:
        showLifeMeters = !showLifeMeters;
        break;
    case eKeyAction::viewCulling:
        fov = !fov;
        std::printf("cLevel: FOV %s.\n", fov ? "ON" : "OFF");
        std::fflush(stdout);
        break;
    case eKeyAction::miniMap:
        showMiniMap = !showMiniMap;
        break;
    case eKeyAction::pause:
        pause(levelState == statePlaying);
        break;
    case eKeyAction::addEnemy: {
        const float x = static_cast<float>(gameRandom.range(0, map.getX()));
        const float y = static_cast<float>(gameRandom.range(0, map.getY()));
        addEnemyAt(x, y);
        break;
    }
    case eKeyAction::removeSoldier:
        if (squad != nullptr)
            squad->removeSoldier();
        break;
    case eKeyAction::switchWeapon:
        rocketSelected = !rocketSelected;
        break;
    case eKeyAction::finerModels:
        for (cPlayerBall* s = squad; s != nullptr; s = s->getNext())
            s->lodDec();
        for (cEnemy* e = enemies; e != nullptr; e = e->getNext())
            e->lodDec();
        break;
    case eKeyAction::removeEnemy:
        if (enemies != nullptr) {
            if (!enemies->hasNext()) {
                delete enemies;
                enemies = nullptr;
            } else {
                enemies->removeLastEnemy();
            }
        }
        break;
    default:
        break;
    }
}

void cLevel::onPassiveMotion(unsigned char, int x, int y, int dx, int dy) {
    mouseX = x;
    mouseY = y;
    if (keys.isKey(keyTable::code(eKeyAction::zoom)))
        camera.zoom(-dy / 2);
    if (keys.isKey(keyTable::code(eKeyAction::tilt)))
        camera.rotX(dy / 2);
    if (keys.isKey(keyTable::code(eKeyAction::turn)))
        camera.rotZ(static_cast<float>(dx));
    if (keys.isKey(keyTable::code(eKeyAction::pan)))
        camera.translate(static_cast<float>(dx / 10.0), static_cast<float>(dy / 10.0));
    pointerSeen = true;
    aimAtPointer();
    holdFire();
}

void cLevel::onMouseMotion(unsigned char buttons, int x, int y, int, int) {
    mouseX = x;
    mouseY = y;
    pointerSeen = true;
    aimAtPointer();
    if (buttons != 4)
        holdFire();
}

void cLevel::onMouseClick(unsigned char buttons, int x, int y) {
    mouseX = x;
    mouseY = y;
    pointerSeen = true;
    aimAtPointer();
    if (rules.campaign && launchChord(buttons, x, y))
        return;
    if (levelState != statePlaying)
        return;
    switch (buttons) {
    case 1: {
        const int box = ui.testMouseHit(x, y);
        if (box == 0)
            selectRocket(false);
        else if (box == 1)
            selectRocket(true);
        else {
            float gx, gy;
            pick(x, y, gx, gy);
            orderMove(gx, gy);
        }
        break;
    }
    case 4:
        orderFire();
        break;
    case 5: {
        float gx, gy;
        pick(x, y, gx, gy);
        orderLaunch(gx, gy);
        break;
    }
    default:
        holdFire();
        break;
    }
}

bool cLevel::launchChord(unsigned char buttons, int x, int y) {
    // A second button this soon after a walk order means the player reached for a launch.
    constexpr int64_t chordMs = 250;
    if (chordHeld) {
        chordHeld = buttons != 0;
        return true;
    }
    if (buttons != 5)
        return false;
    chordHeld = true;
    if (walkBefore.valid && levelTime - walkBefore.at <= chordMs)
        withdrawMove();
    // A right button first opened fire; the launch is all the chord asks for.
    holdFire();
    float gx, gy;
    pick(x, y, gx, gy);
    orderLaunch(gx, gy);
    return true;
}

void cLevel::onWheel(int notches) {
    // Each notch as far as a short drag with the zoom key held; the re-aim follows
    // through the frame's camera check, as after any zoom.
    constexpr int zoomPerNotch = 4;
    if (!rules.campaign)
        return;
    camera.zoom(notches * zoomPerNotch);
}

void cLevel::aimAtPointer() {
    if (!pointerSeen)
        return;
    float gx, gy;
    pick(mouseX, mouseY, gx, gy);
    aimedFrom = camera;
    aimAt(gx, gy);
}

void cLevel::aimAt(float gx, float gy) {
    // The pointer and the camera re-aim at every move; only a change is worth a record.
    if (log != nullptr && (gx != mouseMapX || gy != mouseMapY))
        log->input({sLevelInput::aim, 0, gx, gy});
    mouseMapX = gx;
    mouseMapY = gy;
}

void cLevel::orderMove(float gx, float gy) {
    if (log != nullptr)
        log->input({sLevelInput::move, 0, gx, gy});
    if (levelState != statePlaying)
        return;
    if (squad != nullptr)
        walkBefore = {true, squad->getID(), squad->getTargetX(), squad->getTargetY(), squad->isMoving(),
                      camera.getXTarget(), camera.getYTarget(), levelTime};
    if (!cameraFollowsLeader())
        camera.translateTo(map.getX() / 2 - gx, map.getY() / 2 - gy);
    if (squad == nullptr)
        return;
    squad->shootStop();
    squad->moveTo(gx, gy);
    squad->setMood(moodTalking, -1);
    soundEvents.emit(soundRoger);
}

void cLevel::withdrawMove() {
    if (log != nullptr)
        log->input({sLevelInput::withdrawMove});
    if (levelState != statePlaying || !walkBefore.valid)
        return;
    walkBefore.valid = false;
    camera.translateTo(walkBefore.cameraX, walkBefore.cameraY);
    // A leader who fell since the order leaves the walk to his successor.
    if (squad != nullptr && squad->getID() == walkBefore.leaderId)
        squad->resumeWalk(walkBefore.targetX, walkBefore.targetY, walkBefore.moving);
}

void cLevel::orderFire() {
    if (log != nullptr)
        log->input({sLevelInput::fire});
    if (levelState == statePlaying && squad != nullptr)
        squad->shoot(mouseMapX, mouseMapY);
}

void cLevel::orderLaunch(float gx, float gy) {
    if (log != nullptr)
        log->input({sLevelInput::launch, 0, gx, gy});
    if (levelState != statePlaying || squad == nullptr)
        return;
    if (rocketSelected) {
        if (squad->shootRocket())
            ammo.addRocket(squad->getX(), squad->getY(), gx, gy, launchSpeed);
    } else if (squad->shootGrenade()) {
        ammo.addGrenade(squad->getX(), squad->getY(), gx, gy, launchSpeed);
    }
}

void cLevel::selectRocket(bool rocket) {
    if (log != nullptr)
        log->input({sLevelInput::selectRocket, rocket ? 1 : 0});
    rocketSelected = rocket;
}

void cLevel::holdFire() {
    bool firing = false;
    for (const cPlayerBall* s = squad; s != nullptr; s = s->getNext())
        firing = firing || s->isShooting();
    // Stopping a squad that holds its fire changes nothing, so it is not recorded.
    if (!firing)
        return;
    if (log != nullptr)
        log->input({sLevelInput::holdFire});
    squad->shootStop();
}

void cLevel::apply(const sLevelInput& in) {
    switch (in.kind) {
    case sLevelInput::aim:
        aimAt(in.x, in.y);
        break;
    case sLevelInput::move:
        orderMove(in.x, in.y);
        break;
    case sLevelInput::fire:
        orderFire();
        break;
    case sLevelInput::launch:
        orderLaunch(in.x, in.y);
        break;
    case sLevelInput::selectRocket:
        selectRocket(in.value != 0);
        break;
    case sLevelInput::keyUp:
        onKeyboardUp(static_cast<unsigned char>(in.value));
        break;
    case sLevelInput::god:
        setGodMode(in.value != 0);
        break;
    case sLevelInput::water:
        showWater(in.value != 0);
        break;
    case sLevelInput::holdFire:
        holdFire();
        break;
    case sLevelInput::grenades:
        setGrenadesCount(in.value);
        break;
    case sLevelInput::rockets:
        setRocketsCount(in.value);
        break;
    case sLevelInput::withdrawMove:
        withdrawMove();
        break;
    }
}

void cLevel::pick(int x, int y, float& gx, float& gy) const {
    gx = mouseMapX;
    gy = mouseMapY;
    camera.groundPoint(x, y, winWidth, winHeight, map.getX(), map.getY(), gx, gy);
}
