// A recording's level boundaries, seeds, run states and map hashes.
#include "level/replay/cRecorder.h"

#include "level/cLevel.h"
#include "level/replay/cStateHash.h"

uint64_t cRecorder::mapHash(const char* path) {
    cStateHash h;
    h.add(h.addFile(path));
    return h.get();
}

bool cRecorder::open(const std::string& path, const std::string& gameVersion, int width, int height,
                     std::string& error) {
    return writer.open(path, gameVersion, width, height, error);
}

void cRecorder::levelStarting(cLevel& level, uint32_t seed) {
    closeLevel();
    writer.beginLevel(level.getLevelNumber(), level.getMapName(), mapHash(level.getMapName()), seed, *level.runState);
}

void cRecorder::levelStarted(cLevel& level) {
    current = &level;
    level.setLog(&writer);
}

void cRecorder::closeLevel() {
    if (current == nullptr)
        return;
    current->setLog(nullptr);
    writer.endLevel(*current);
    current = nullptr;
}

void cRecorder::finish() {
    closeLevel();
    writer.close();
}
