// The recording file: its constants and the parsed form that replays read.
//
// Little-endian throughout. Header: the 8 bytes "ORBXREC\n", u16 format version,
// u16 simulation version, u8 length + the game's version, u16 window width, u16 height.
// Then records, each led by one tag byte:
//   'L' a level starts: varint number, u8 length + map path, u64 map hash, u32 seed
//       (of the level's random streams), then the run state before the build: u32 float
//       bits of the wave angle, varint last unit id, varint soldier-name index, u8 difficulty
//       (0 recruit, 1 regular, 2 veteran)
//   1..8, 10..13 an input (sLevelInput::eKind; 9 unused): aim, move and launch carry two
//       varints, the float bits of x and y each XORed with those of the level's previous aim record
//       (aim) or 0; selectRocket, keyUp, god and water a byte; grenades and rockets a
//       zigzag varint; the others nothing
//   'T' ticks with no input between them: varint ms, varint count
//   'C' a checkpoint after the tick before it: u64 hash of the level's state
//   'E' the level ends: u64 hash of its state
//   'Q' the session ended in order
#pragma once

#include "level/iLevelLog.h"
#include "world/cRunState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace replayFormat {
constexpr char magic[8] = {'O', 'R', 'B', 'X', 'R', 'E', 'C', '\n'};
constexpr int formatVersion = 2;
// Raised with every change that alters what a tick does, so older recordings are refused.
constexpr int simulationVersion = 2;
// A checkpoint every this much game time, ms.
constexpr int checkpointMs = 1000;
constexpr uint8_t tagLevel = 'L', tagTicks = 'T', tagCheckpoint = 'C', tagLevelEnd = 'E', tagQuit = 'Q';
// What a replay accepts, so that a damaged file cannot run for days or overflow a clock.
constexpr int64_t maxLevelMs = int64_t(1) << 30;
constexpr int64_t maxLevelTicks = int64_t(1) << 26;
constexpr float maxCoordinate = 1e6f;
}

struct sReplayEvent {
    enum eType : uint8_t { input, ticks, checkpoint };
    eType type = input;
    sLevelInput in;       // input
    int ms = 0;           // ticks: each tick's elapsed time
    int count = 0;        // ticks: how many
    uint64_t hash = 0;    // checkpoint
};

struct sReplayLevel {
    int number = 0;
    std::string mapName;  // as the level names it ("maps/...")
    uint64_t mapHash = 0;
    uint32_t seed = 0;
    cRunState run;        // the program's run state at the level's start
    std::vector<sReplayEvent> events;
    int64_t ticks = 0;    // how many ticks the events hold
    bool ended = false;   // an 'E' record closed it
    uint64_t endHash = 0;
};

struct sReplay {
    int formatVersion = 0, simulationVersion = 0;
    std::string gameVersion;
    int width = 0, height = 0;
    std::vector<sReplayLevel> levels;
    bool complete = false;  // the session ended in order ('Q')
};
