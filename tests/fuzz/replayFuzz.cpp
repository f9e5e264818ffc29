// libFuzzer target: any bytes as a recording are read whole, cut short or refused, within a replay's limits.
#include "fuzzSupport.h"
#include "level/replay/cReplayReader.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sReplay rec;
    std::string message;
    const cReplayReader::eResult r = cReplayReader::parse(data, size, rec, message);
    FUZZ_CHECK(r == cReplayReader::whole || !message.empty());
    if (r == cReplayReader::refused) {
        FUZZ_CHECK(rec.levels.empty());
        return 0;
    }
    FUZZ_CHECK(rec.complete == (r == cReplayReader::whole));
    for (const sReplayLevel& l : rec.levels) {
        FUZZ_CHECK(l.number >= 1 && !l.mapName.empty());
        int64_t ticks = 0, ms = 0;
        for (const sReplayEvent& e : l.events) {
            if (e.type == sReplayEvent::ticks) {
                FUZZ_CHECK(e.count >= 1 && e.ms >= 0);
                ticks += e.count;
                ms += int64_t(e.ms) * e.count;
            } else if (e.type == sReplayEvent::input) {
                FUZZ_CHECK(e.in.kind >= sLevelInput::aim && e.in.kind <= sLevelInput::lastKind);
                FUZZ_CHECK(std::fabs(e.in.x) <= replayFormat::maxCoordinate);
                FUZZ_CHECK(std::fabs(e.in.y) <= replayFormat::maxCoordinate);
            }
        }
        FUZZ_CHECK(ticks == l.ticks && ticks <= replayFormat::maxLevelTicks && ms <= replayFormat::maxLevelMs);
    }
    return 0;
}
