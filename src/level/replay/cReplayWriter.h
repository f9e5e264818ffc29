// Writes a recording as the game goes: a crash keeps everything up to the last checkpoint.
#pragma once

#include "level/iLevelLog.h"

#include <cstdint>
#include <cstdio>
#include <string>

class cRunState;

class cReplayWriter : public iLevelLog {
public:
    cReplayWriter() = default;
    ~cReplayWriter() override { close(); }
    cReplayWriter(const cReplayWriter&) = delete;
    cReplayWriter& operator=(const cReplayWriter&) = delete;

    // Creates (or replaces) the file and writes the header; false with the reason.
    bool open(const std::string& path, const std::string& gameVersion, int width, int height, std::string& error);
    bool isOpen() const { return file != nullptr; }
    void beginLevel(int number, const std::string& mapName, uint64_t mapHash, uint32_t seed, const cRunState& run);
    // Closes the level begun last with its state's hash.
    void endLevel(cLevel& level);
    // Marks the session as ended in order and closes the file; safe to call again.
    void close();

    void input(const sLevelInput& in) override;
    void ticked(cLevel& level, int ms) override;

private:
    void flushTicks();
    void putByte(uint8_t b) { std::fputc(b, file); }
    void putVarint(uint64_t v);
    void putFixed(uint64_t v, int bytes);

    std::FILE* file = nullptr;
    bool inLevel = false;
    int runMs = 0, runCount = 0;   // ticks not yet written
    int64_t levelMs = 0;           // game time of the level so far
    uint32_t aimX = 0, aimY = 0;   // float bits of the last aim written
};
