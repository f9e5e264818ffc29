// A recording's level boundaries, seeds and content hashes.
#include "level/cRecorder.h"

#include "assets/cMeshCont.h"
#include "level/cLevel.h"
#include "level/cStateHash.h"

#include <cstdlib>

uint64_t cRecorder::modelsHash() {
    cStateHash h;
    for (const char* file : cMeshCont::files) {
        h.addBytes(file, std::char_traits<char>::length(file) + 1);
        // A missing file loads nothing, which a replay must see the same way.
        h.add(h.addFile(file));
    }
    return h.get();
}

uint64_t cRecorder::mapHash(const char* path) {
    cStateHash h;
    h.add(h.addFile(path));
    return h.get();
}

bool cRecorder::open(const std::string& path, const std::string& gameVersion, int width, int height,
                     std::string& error) {
    models = modelsHash();
    return writer.open(path, gameVersion, width, height, error);
}

void cRecorder::levelStarting(cLevel& level, uint32_t seed) {
    closeLevel();
    std::srand(seed);
    writer.beginLevel(level.getLevelNumber(), level.getMapName(), mapHash(level.getMapName()), models, seed);
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
