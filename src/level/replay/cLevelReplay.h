// Plays one recorded level back into a cLevel, tick by tick, and checks its checkpoints.
#pragma once

#include "level/replay/cShotCounter.h"
#include "level/replay/replayFormat.h"

#include <cstdint>
#include <string>

class cLevel;

class cLevelReplay {
public:
    enum eStep { played, outOfStep, finished };

    // The terrain's draws depend on the map, so a recording replays only with the same
    // map files; false with the reason otherwise. Needs the content folder.
    static bool contentMatches(const sReplay& recording, std::string& why);

    // The level must be built from the recording's map and seed.
    void start(const sReplayLevel& recorded, cLevel& level);
    // Elapsed ms of the next tick, or -1 when no tick is left.
    int nextTickMs() const;
    // Applies the inputs before the next tick, runs it, and checks a checkpoint that
    // follows it. At the end of the ticks: applies the inputs left and checks the
    // level's closing hash (when the recording has one), answering finished.
    eStep step();
    // The answer of the last tick's cLevel::update.
    int getUpdateAnswer() const { return answer; }
    // Ticks played so far; the tick that went out of step is the last one.
    int64_t getTick() const { return tick; }
    // The squad's bullets, rockets and grenades so far.
    int getShots() const { return shots.getShots(); }

private:
    bool checkpointsAfterTick();

    const sReplayLevel* rec = nullptr;
    cLevel* level = nullptr;
    size_t next = 0;     // index of the next event
    int runLeft = 0;     // ticks left of the run at next - 1
    int runMs = 0;
    int64_t tick = 0;
    int answer = 0;
    cShotCounter shots;
};
