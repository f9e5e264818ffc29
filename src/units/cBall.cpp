// Ball unit simulation: start values, walking, walk cycle, face, life and firing.
#include "units/cBall.h"

#include "assets/cMeshCont.h"
#include "world/cColision.h"
#include "world/cGameSetup.h"
#include "world/cMap.h"
#include "world/cRunState.h"
#include "world/cSoundEvents.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr float kRadToDeg = 180.0f / float(M_PI);
// Share of a step that a slide along trees must keep to count as walking on.
constexpr float kMinSlidePart = 0.1f;
}

cBall::cBall(cGameSetup* gs)
    : animCarry(0), initX(0), initY(0), terrainKind(cellKind::ground), targetX(0), targetY(0), moveAngle(0),
      groundSpeed(0), waterSpeed(0), fireInterval(0), fireTimer(0), idleTimer(0),
      meshCont(nullptr), textures(nullptr), sound(nullptr), gameSetup(gs), walkFirst(0),
      walkLast(0), teamColour{1, 1, 1}, blindColour{1, 1, 1} {
    load();
}

cRandomStream& cBall::gameDraws() { return gameSetup ? gameSetup->gameRandom : ownDraws; }

cRandomStream& cBall::looksDraws() { return gameSetup ? gameSetup->looksRandom : ownDraws; }

cRunState& cBall::run() { return gameSetup ? *gameSetup->runState : cRunState::detached(); }

bool cBall::load() {
    id = run().takeUnitId();
    // Units without a level still differ from one another.
    ownDraws.reseed(uint64_t(id));
    cRandomStream& looks = looksDraws();
    cRandomStream& game = gameDraws();
    sound = nullptr;
    shotSound = 4 + looks.below(3);
    animRate = 20.0f;
    animCarry = 0;
    clock = 0;
    blinkFrame = 0;
    nextBlink = 1 + looks.below(25);
    blinkDir = 1;
    blinkStep = 20;
    mood = moodFrame = moodNext = 0;
    moodStep = 80;
    moodLen = 0;
    nextRandomMood = 2000 + looks.below(10000);
    animFrame = 0;
    angle = float(game.below(90) - 45);
    x = float(game.below(11) * 50 - 250);
    y = float(game.below(11) * 50 - 250);
    targetX = x;
    targetY = y;
    z = 0;
    leader = true;
    rockets = grenades = 10;
    lod = 0;
    deadState = 0;
    life = 100.0f;
    moving = shooting = false;
    flash = -1;
    for (float& c : lightColour) c = 1.0f;

    // One strong, one weak and one empty channel, rotated at random.
    int b[3] = {200 + looks.below(56), looks.below(100), 0};
    int k = looks.below(3);
    for (int i = 0; i < 3; i++) bodyColour[i] = b[(k + i) % 3] / 255.0f;
    bodyColour[3] = 1.0f;
    return true;
}

void cBall::setCont(cTexture* tex, cSoundEvents* snd, cMeshCont* meshes) {
    textures = tex;
    sound = snd;
    meshCont = meshes;
    if (!meshCont) return;
    const cMesh& head = meshCont->ball[cMeshCont::head][0];
    // A head without animation (or a missing one) has no walk cycle: frame 0.
    if (head.getNumFrames() > 0)
        setWalkCycle(head.getLoopFirst(), std::min(head.getLoopLast(), head.getNumFrames() - 1));
    else
        setWalkCycle(0, 0);
    if (walkLast > walkFirst) animFrame = walkFirst + looksDraws().below(walkLast - walkFirst);
}

void cBall::setGS(cGameSetup* gs) { gameSetup = gs; }

void cBall::setWalkCycle(int first, int last) {
    walkFirst = first < 0 ? 0 : first;
    walkLast = last;
    animFrame = walkFirst;
    animCarry = 0;
}

void cBall::setMood(int m, int frames) {
    mood = (m >= 0 && m <= 4) ? m : 0;
    moodFrame = 0;
    if (mood != 0) {
        moodNext = clock;
        moodLen = frames >= 1 ? frames : 10 + looksDraws().below(20);
    }
}

void cBall::setValue(float v) {
    animRate += v;
    std::printf("value: %f\n", animRate);
}

void cBall::update(int ms) {
    clock += ms;

    if (clock >= nextBlink) {
        nextBlink = clock + blinkStep;
        blinkFrame += blinkDir == 1 ? 1 : -1;
        if (blinkDir == 1 && blinkFrame >= 6) {
            blinkFrame = 6;
            blinkDir = 0;
        }
        if (blinkFrame <= 0) {
            blinkFrame = 0;
            nextBlink = clock + 500 + looksDraws().below(3000);
            blinkDir = 1;
        }
    }

    if (mood != 0 && clock >= moodNext) {
        moodNext += moodStep;
        moodFrame++;
        if (moodFrame >= moodLen) {
            setMood(-1, -1);
            nextRandomMood = clock + 2000 + looksDraws().below(10000);
        }
    }

    // The random mood keeps the frame counters of the mood before it.
    if (nextRandomMood != -1 && clock >= nextRandomMood) {
        mood = looksDraws().below(5);
        nextRandomMood = -1;
    }
}

void cBall::moveTo(float tx, float ty) {
    if (tx == targetX && ty == targetY) return;
    targetX = tx;
    targetY = ty;
    moveAngle = ::getAngle(tx, ty, x, y) * kRadToDeg;
    moving = true;
}

const float* cBall::lifeBarColour() const {
    return gameSetup != nullptr && gameSetup->colourBlind ? blindColour : teamColour;
}

void cBall::resumeWalk(float tx, float ty, bool wasMoving) {
    targetX = tx;
    targetY = ty;
    moveAngle = ::getAngle(tx, ty, x, y) * kRadToDeg;
    moving = wasMoving;
}

void cBall::rotateTo(float tx, float ty) { angle = ::getAngle(tx, ty, x, y) * kRadToDeg; }

void cBall::move(float px, float py) {
    x = targetX = px;
    y = targetY = py;
    moving = false;
}

void cBall::advanceWalkCycle(float step) {
    if (walkLast <= walkFirst) {
        animFrame = walkFirst;
        return;
    }
    // The fraction is carried over so that short ticks still move the feet.
    float frames = animRate * step + animCarry;
    if (!(frames > 0)) {
        animCarry = 0;
        return;
    }
    if (frames > 1e9f) frames = 1e9f;
    long long whole = static_cast<long long>(frames);
    animCarry = frames - float(whole);
    long long f = animFrame + whole;
    // Same result as taking (last - first) off until the frame is in range.
    if (f > walkLast) f = walkFirst + 1 + (f - walkFirst - 1) % (walkLast - walkFirst);
    animFrame = int(f);
}

void cBall::stepTo(int ms) {
    float speed = terrainKind == cellKind::water ? waterSpeed : groundSpeed;
    // A negative tick would walk the unit backwards (and divide by a zero distance).
    float step = ms > 0 ? float(ms) * speed / 1000.0f : 0.0f;
    float d = dist(targetX, targetY, x, y);

    if (d <= step) {
        x = targetX;
        y = targetY;
        if (moving || terrainKind == cellKind::water)
            advanceWalkCycle(step);
        else
            animFrame = walkFirst;
        moving = false;
    } else if (terrainKind == cellKind::tree || terrainKind == cellKind::outside) {
        // Stuck where no unit may stand: put straight onto the target.
        x = targetX;
        y = targetY;
        moving = false;
        animFrame = walkFirst;
    } else {
        advanceWalkCycle(step);
        x += (targetX - x) / d * step;
        y += (targetY - y) / d * step;
        moving = true;
    }
}

void cBall::restartClock() {
    // Blink and mood times are clock values: move them with the clock, or a unit
    // that comes back after a long level would not blink or change face for minutes.
    nextBlink -= clock;
    moodNext -= clock;
    if (nextRandomMood != -1) nextRandomMood = nextRandomMood - clock < 0 ? 0 : nextRandomMood - clock;
    clock = 0;
}

void cBall::hurt(float damage) {
    life -= damage;
    if (life <= 0) {
        life = 0;
        restartClock();
        deadState = 1;
    }
}

void cBall::heal() {
    life = 100.0f;
    restartClock();
    deadState = 0;
}

void cBall::fire() {
    flash = 0;
    if (sound) sound->emit(shotSound);
}

void cBall::setInitPosition(float px, float py) {
    initX = px;
    initY = py;
}

void cBall::resetPosition() {
    x = targetX = initX;
    y = targetY = initY;
}

void cBall::lodInc() {
    if (lod + 1 < 4) lod++;
}

void cBall::lodDec() {
    if (lod > 0) lod--;
}

void cBall::walkOver(int ms, cMap* map, cColision* grid) {
    terrainKind = map ? map->getTerrain(x, y) : cellKind::ground;
    // A unit already on a tree cell is put onto its target by stepTo; sliding would
    // only walk it along inside the wood.
    const bool onFreeCell = !blocksWalk(terrainKind);
    float oldX = x, oldY = y;
    stepTo(ms);
    if (map && blocksWalk(map->getTerrain(x, y)) && !(onFreeCell && slide(*map, oldX, oldY))) {
        // Trees and the map's edge stop a walk.
        x = targetX = oldX;
        y = targetY = oldY;
        moving = false;
    }

    if (grid) grid->putObject(cellCoord(x), cellCoord(y), id, 0);

    if (map) {
        map->getTerrainInfo(x, y, terrainKind, z);
        if (terrainKind == cellKind::water) z -= 0.5f;
    }
}

bool cBall::blocksWalk(int kind) { return kind == cMap::kTree || kind == cMap::kOutside; }

bool cBall::slide(const cMap& map, float oldX, float oldY) {
    // A step that ends on a tree keeps the part of it that does not: a unit pressed
    // into a wood's edge or corner then walks along it instead of ignoring every
    // order that grazes the trees. A part much shorter than the step means the
    // target lies straight into the trees, where the walk should end.
    const float dx = x - oldX, dy = y - oldY;
    const float least = kMinSlidePart * std::sqrt(dx * dx + dy * dy);
    if (std::fabs(dx) >= least && !blocksWalk(map.getTerrain(x, oldY))) {
        y = oldY;
        return true;
    }
    if (std::fabs(dy) >= least && !blocksWalk(map.getTerrain(oldX, y))) {
        x = oldX;
        return true;
    }
    return false;
}

int cBall::cellCoord(float v) {
    // Anything outside the int range is far outside every map.
    if (!(v > -1e9f && v < 1e9f)) return -1;
    return static_cast<int>(v);
}

bool cBall::advanceFlash() {
    if (flash <= -1) return false;
    int old = flash;
    flash++;
    if (old > 6) flash = -1;
    return flash % 2 != 0;
}

int cBall::lifeBarWidth() const {
    float l = life < 0 ? 0 : (life > 100 ? 100 : life);
    return int(l / 100.0f * 56.0f);
}
