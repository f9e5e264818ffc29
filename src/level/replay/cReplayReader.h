// Reads a recording into memory and judges it: whole, cut short, or refused.
#pragma once

#include "level/replay/replayFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>

class cReplayReader {
public:
    enum eResult {
        whole,     // every level is there and the session ended in order
        cutShort,  // readable up to where it stops (a crash while recording): replay what is there
        refused    // damaged, or of another format or simulation version: replay nothing
    };

    // message: why it was refused, or where a cut-short file ends.
    static eResult read(const std::string& path, sReplay& out, std::string& message);
    static eResult parse(const uint8_t* data, size_t size, sReplay& out, std::string& message);
};
