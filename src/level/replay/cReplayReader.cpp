// Parsing a recording: every count and value is checked before it is used.
#include "level/replay/cReplayReader.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// A cursor over the file's bytes; every read reports whether the bytes were there.
class cBytes {
public:
    cBytes(const uint8_t* d, size_t n) : data(d), size(n) {}
    bool atEnd() const { return pos >= size; }
    size_t offset() const { return pos; }
    bool byte(uint8_t& v) {
        if (pos >= size)
            return false;
        v = data[pos++];
        return true;
    }
    bool fixed(uint64_t& v, int bytes) {
        if (size - pos < size_t(bytes))
            return false;
        v = 0;
        for (int i = 0; i < bytes; i++)
            v |= uint64_t(data[pos + i]) << (8 * i);
        pos += size_t(bytes);
        return true;
    }
    // Up to ten bytes of seven bits; false also for a value past 64 bits.
    bool varint(uint64_t& v) {
        v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            uint8_t b;
            if (!byte(b))
                return false;
            if (shift == 63 && b > 1) {
                overlong = true;
                return false;
            }
            v |= uint64_t(b & 0x7f) << shift;
            if ((b & 0x80) == 0)
                return true;
        }
        overlong = true;
        return false;
    }
    bool text(std::string& s) {
        uint8_t len;
        if (!byte(len) || size - pos < len)
            return false;
        s.assign(reinterpret_cast<const char*>(data + pos), len);
        pos += len;
        return true;
    }
    bool overlong = false;  // a malformed varint, not a short file

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

float bitsToFloat(uint32_t b) {
    float v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

std::string where(const sReplay& r) {
    if (r.levels.empty())
        return "before the first level";
    const sReplayLevel& l = r.levels.back();
    return "at level " + std::to_string(l.number) + ", tick " + std::to_string(l.ticks);
}

}  // namespace

cReplayReader::eResult cReplayReader::read(const std::string& path, sReplay& out, std::string& message) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        message = "cannot read " + path;
        out = sReplay();
        return refused;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        message = "cannot read " + path;
        out = sReplay();
        return refused;
    }
    return parse(bytes.data(), bytes.size(), out, message);
}

cReplayReader::eResult cReplayReader::parse(const uint8_t* data, size_t size, sReplay& out, std::string& message) {
    out = sReplay();
    cBytes f(data, size);
    auto damaged = [&](const std::string& why) {
        char at[32];
        std::snprintf(at, sizeof at, " (byte %zu)", f.offset());
        message = "damaged recording: " + why + at;
        out = sReplay();
        return refused;
    };
    if (size < sizeof replayFormat::magic || std::memcmp(data, replayFormat::magic, sizeof replayFormat::magic) != 0)
        return damaged("not a recording of this game");
    uint8_t skip;
    for (size_t i = 0; i < sizeof replayFormat::magic; i++)
        f.byte(skip);
    uint64_t format, simulation, w, h;
    if (!f.fixed(format, 2) || !f.fixed(simulation, 2))
        return damaged("the header is cut short");
    if (format < uint64_t(replayFormat::formatVersion)) {
        message = "recording format " + std::to_string(format) + " is no longer played; this game plays format " +
                  std::to_string(replayFormat::formatVersion);
        return refused;
    }
    if (format > uint64_t(replayFormat::formatVersion)) {
        message = "recording of format version " + std::to_string(format) + "; this game reads version " +
                  std::to_string(replayFormat::formatVersion);
        return refused;
    }
    if (simulation != uint64_t(replayFormat::simulationVersion)) {
        message = "recording of simulation version " + std::to_string(simulation) + "; this game's is " +
                  std::to_string(replayFormat::simulationVersion) + ", so it would not play the same";
        return refused;
    }
    out.formatVersion = int(format);
    out.simulationVersion = int(simulation);
    if (!f.text(out.gameVersion) || !f.fixed(w, 2) || !f.fixed(h, 2))
        return damaged("the header is cut short");
    out.width = int(w);
    out.height = int(h);

    auto cut = [&]() {
        if (f.overlong)
            return damaged("a number runs past 64 bits");
        message = "the file ends " + where(out) + " (cut short)";
        return cutShort;
    };
    int64_t levelMs = 0;
    uint32_t aimX = 0, aimY = 0;
    while (!f.atEnd()) {
        uint8_t tag;
        f.byte(tag);
        if (tag == replayFormat::tagQuit) {
            if (!f.atEnd())
                return damaged("bytes after the end of the session");
            out.complete = true;
            return whole;
        }
        if (tag == replayFormat::tagLevel) {
            sReplayLevel l;
            uint64_t number, mapHash, seed, wave, unitId, nameIndex;
            uint8_t difficulty = 0;
            if (!f.varint(number) || !f.text(l.mapName) || !f.fixed(mapHash, 8) || !f.fixed(seed, 4) ||
                !f.fixed(wave, 4) || !f.varint(unitId) || !f.varint(nameIndex) || !f.byte(difficulty))
                return cut();
            if (number < 1 || number > 1000000)
                return damaged("level number out of range");
            if (l.mapName.empty() || l.mapName.find('\0') != std::string::npos)
                return damaged("bad map name");
            const float angle = bitsToFloat(uint32_t(wave));
            // An angle that is not a number would stop the water for the rest of the run.
            if (!(angle >= 0.0f && angle < 6.2832f))
                return damaged("wave angle out of range");
            // Ids are counted up from here; the soldiers' names wrap at the end of their list.
            if (unitId > uint64_t(INT32_MAX / 2) || nameIndex > 1000)
                return damaged("run state out of range");
            if (difficulty > uint8_t(eDifficulty::veteran))
                return damaged("difficulty out of range");
            l.number = int(number);
            l.mapHash = mapHash;
            l.seed = uint32_t(seed);
            l.run.waveAngle = angle;
            l.run.lastUnitId = int(unitId);
            l.run.nameIndex = int(nameIndex);
            l.run.difficulty = eDifficulty(difficulty);
            out.levels.push_back(std::move(l));
            levelMs = 0;
            aimX = aimY = 0;
            continue;
        }
        if (out.levels.empty() || out.levels.back().ended)
            return damaged("a record outside any level");
        sReplayLevel& level = out.levels.back();
        sReplayEvent e;
        if (tag == replayFormat::tagLevelEnd) {
            if (!f.fixed(level.endHash, 8))
                return cut();
            level.ended = true;
            continue;
        }
        if (tag == replayFormat::tagCheckpoint) {
            e.type = sReplayEvent::checkpoint;
            if (!f.fixed(e.hash, 8))
                return cut();
            level.events.push_back(e);
            continue;
        }
        if (tag == replayFormat::tagTicks) {
            uint64_t ms, count;
            if (!f.varint(ms) || !f.varint(count))
                return cut();
            if (count < 1 || ms > uint64_t(replayFormat::maxLevelMs) ||
                count > uint64_t(replayFormat::maxLevelTicks - level.ticks) ||
                ms * count > uint64_t(replayFormat::maxLevelMs - levelMs))
                return damaged("a level longer than a replay accepts");
            e.type = sReplayEvent::ticks;
            e.ms = int(ms);
            e.count = int(count);
            level.ticks += int64_t(count);
            levelMs += int64_t(ms * count);
            level.events.push_back(e);
            continue;
        }
        if (tag < 1 || tag > sLevelInput::lastKind || tag == sLevelInput::holdFire - 1)
            return damaged("unknown record " + std::to_string(tag));
        e.type = sReplayEvent::input;
        e.in.kind = sLevelInput::eKind(tag);
        switch (e.in.kind) {
        case sLevelInput::aim:
        case sLevelInput::move:
        case sLevelInput::launch: {
            uint64_t x, y;
            if (!f.varint(x) || !f.varint(y))
                return cut();
            if (x > 0xffffffffu || y > 0xffffffffu)
                return damaged("a ground point out of range");
            const bool aim = e.in.kind == sLevelInput::aim;
            const uint32_t bx = uint32_t(x) ^ (aim ? aimX : 0), by = uint32_t(y) ^ (aim ? aimY : 0);
            if (aim) {
                aimX = bx;
                aimY = by;
            }
            e.in.x = bitsToFloat(bx);
            e.in.y = bitsToFloat(by);
            if (!(std::fabs(e.in.x) <= replayFormat::maxCoordinate) ||
                !(std::fabs(e.in.y) <= replayFormat::maxCoordinate))
                return damaged("a ground point out of range");
            break;
        }
        case sLevelInput::selectRocket:
        case sLevelInput::keyUp:
        case sLevelInput::god:
        case sLevelInput::water: {
            uint8_t v;
            if (!f.byte(v))
                return cut();
            if (e.in.kind != sLevelInput::keyUp && v > 1)
                return damaged("a switch neither on nor off");
            e.in.value = v;
            break;
        }
        case sLevelInput::grenades:
        case sLevelInput::rockets: {
            uint64_t z;
            if (!f.varint(z))
                return cut();
            if (z > 2000000)
                return damaged("an ammunition count out of range");
            e.in.value = (z & 1) ? -int(z >> 1) - 1 : int(z >> 1);
            break;
        }
        default:
            break;
        }
        level.events.push_back(e);
    }
    return cut();
}
