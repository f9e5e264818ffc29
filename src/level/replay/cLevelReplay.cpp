// Feeding a level its recorded inputs and ticks.
#include "level/replay/cLevelReplay.h"

#include "level/cLevel.h"
#include "level/replay/cRecorder.h"
#include "level/replay/levelStateHash.h"

bool cLevelReplay::contentMatches(const sReplay& recording, std::string& why) {
    for (const sReplayLevel& l : recording.levels) {
        if (l.mapHash != cRecorder::mapHash(l.mapName.c_str())) {
            why = "the map " + l.mapName + " is missing or changed since the recording";
            return false;
        }
    }
    return true;
}

void cLevelReplay::start(const sReplayLevel& recorded, cLevel& l) {
    rec = &recorded;
    level = &l;
    next = 0;
    runLeft = 0;
    tick = 0;
    answer = 0;
    shots = cShotCounter();
}

int cLevelReplay::nextTickMs() const {
    if (rec == nullptr)
        return -1;
    if (runLeft > 0)
        return runMs;
    for (size_t i = next; i < rec->events.size(); i++)
        if (rec->events[i].type == sReplayEvent::ticks)
            return rec->events[i].ms;
    return -1;
}

cLevelReplay::eStep cLevelReplay::step() {
    if (rec == nullptr)
        return finished;
    while (runLeft == 0 && next < rec->events.size()) {
        const sReplayEvent& e = rec->events[next++];
        if (e.type == sReplayEvent::input) {
            shots.beforeInput(*level);
            level->apply(e.in);
            shots.afterInput(*level, e.in);
        } else if (e.type == sReplayEvent::ticks) {
            runLeft = e.count;
            runMs = e.ms;
        } else if (e.hash != levelStateHash(*level)) {
            return outOfStep;  // a checkpoint where no tick comes before it
        }
    }
    if (runLeft == 0) {
        if (rec->ended && levelStateHash(*level) != rec->endHash)
            return outOfStep;
        rec = nullptr;
        return finished;
    }
    runLeft--;
    tick++;
    answer = level->update(runMs);
    shots.afterTick(*level);
    return runLeft == 0 && !checkpointsAfterTick() ? outOfStep : played;
}

bool cLevelReplay::checkpointsAfterTick() {
    while (next < rec->events.size() && rec->events[next].type == sReplayEvent::checkpoint) {
        if (rec->events[next++].hash != levelStateHash(*level))
            return false;
    }
    return true;
}
