// Recording a session, record by record.
#include "level/replay/cReplayWriter.h"

#include "level/replay/levelStateHash.h"
#include "level/replay/replayFormat.h"
#include "world/cRunState.h"

#include <cerrno>
#include <cstring>

namespace {

uint32_t floatBits(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

uint64_t zigzag(int v) {
    return v < 0 ? (uint64_t(-(int64_t(v) + 1)) << 1) | 1 : uint64_t(v) << 1;
}

}  // namespace

bool cReplayWriter::open(const std::string& path, const std::string& gameVersion, int width, int height,
                         std::string& error) {
    close();
    file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fwrite(replayFormat::magic, 1, sizeof replayFormat::magic, file);
    putFixed(replayFormat::formatVersion, 2);
    putFixed(replayFormat::simulationVersion, 2);
    const size_t len = gameVersion.size() < 255 ? gameVersion.size() : 255;
    putByte(uint8_t(len));
    std::fwrite(gameVersion.data(), 1, len, file);
    putFixed(uint64_t(width), 2);
    putFixed(uint64_t(height), 2);
    std::fflush(file);
    return true;
}

void cReplayWriter::beginLevel(int number, const std::string& mapName, uint64_t mapHash, uint32_t seed,
                               const cRunState& run) {
    if (file == nullptr)
        return;
    putByte(replayFormat::tagLevel);
    putVarint(uint64_t(number));
    const size_t len = mapName.size() < 255 ? mapName.size() : 255;
    putByte(uint8_t(len));
    std::fwrite(mapName.data(), 1, len, file);
    putFixed(mapHash, 8);
    putFixed(seed, 4);
    putFixed(floatBits(run.waveAngle), 4);
    putVarint(uint64_t(run.lastUnitId));
    putVarint(uint64_t(run.nameIndex));
    putByte(uint8_t(run.difficulty));
    std::fflush(file);
    inLevel = true;
    runMs = runCount = 0;
    levelMs = 0;
    aimX = aimY = 0;
}

void cReplayWriter::endLevel(cLevel& level) {
    if (file == nullptr || !inLevel)
        return;
    flushTicks();
    putByte(replayFormat::tagLevelEnd);
    putFixed(levelStateHash(level), 8);
    std::fflush(file);
    inLevel = false;
}

void cReplayWriter::close() {
    if (file == nullptr)
        return;
    flushTicks();
    putByte(replayFormat::tagQuit);
    std::fclose(file);
    file = nullptr;
    inLevel = false;
}

void cReplayWriter::input(const sLevelInput& in) {
    if (file == nullptr || !inLevel)
        return;
    flushTicks();
    putByte(in.kind);
    switch (in.kind) {
    case sLevelInput::aim:
    case sLevelInput::move:
    case sLevelInput::launch: {
        const uint32_t x = floatBits(in.x), y = floatBits(in.y);
        const bool aim = in.kind == sLevelInput::aim;
        putVarint(x ^ (aim ? aimX : 0));
        putVarint(y ^ (aim ? aimY : 0));
        if (aim) {
            aimX = x;
            aimY = y;
        }
        break;
    }
    case sLevelInput::selectRocket:
    case sLevelInput::keyUp:
    case sLevelInput::god:
    case sLevelInput::water:
        putByte(uint8_t(in.value));
        break;
    case sLevelInput::grenades:
    case sLevelInput::rockets:
        putVarint(zigzag(in.value));
        break;
    default:
        break;
    }
}

void cReplayWriter::ticked(cLevel& level, int ms) {
    if (file == nullptr || !inLevel)
        return;
    if (ms < 0)
        ms = 0;
    if (runCount > 0 && ms != runMs)
        flushTicks();
    runMs = ms;
    runCount++;
    const int64_t before = levelMs / replayFormat::checkpointMs;
    levelMs += ms;
    if (levelMs / replayFormat::checkpointMs != before) {
        flushTicks();
        putByte(replayFormat::tagCheckpoint);
        putFixed(levelStateHash(level), 8);
        std::fflush(file);
    }
}

void cReplayWriter::flushTicks() {
    if (runCount == 0)
        return;
    putByte(replayFormat::tagTicks);
    putVarint(uint64_t(runMs));
    putVarint(uint64_t(runCount));
    runCount = 0;
}

void cReplayWriter::putVarint(uint64_t v) {
    while (v >= 0x80) {
        putByte(uint8_t(v | 0x80));
        v >>= 7;
    }
    putByte(uint8_t(v));
}

void cReplayWriter::putFixed(uint64_t v, int bytes) {
    for (int i = 0; i < bytes; i++)
        putByte(uint8_t(v >> (8 * i)));
}
