// Records a session: each level's seed and run state at its start, then its inputs and ticks.
#pragma once

#include "level/replay/cReplayWriter.h"

#include <cstdint>
#include <string>

class cLevel;

class cRecorder {
public:
    // Creates the file and writes its header; false with the reason.
    bool open(const std::string& path, const std::string& gameVersion, int width, int height, std::string& error);
    // Before the level is built, once it holds its seed and run state: closes the level
    // recorded before (its state still as played) and writes the level's header.
    void levelStarting(cLevel& level, uint32_t seed);
    // After the build: from now on the level's inputs and ticks are recorded.
    void levelStarted(cLevel& level);
    // Closes the level being recorded and the file; safe to call again.
    void finish();
    bool isOpen() const { return writer.isOpen(); }

    // What a recording holds of the content, so a replay can tell that the map changed.
    // The models are not in it: the game draws nothing for them from its own stream.
    static uint64_t mapHash(const char* path);

private:
    void closeLevel();

    cReplayWriter writer;
    cLevel* current = nullptr;  // not owned
};
