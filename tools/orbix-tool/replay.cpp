// orbix-tool replay: plays a recording back headless, as fast as it goes, and checks every checkpoint.
#include "toolCommands.h"

#include "assets/cMeshCont.h"
#include "level/cLevel.h"
#include "level/replay/cLevelReplay.h"
#include "level/replay/cReplayReader.h"
#include "level/replay/levelStateHash.h"
#include "platform/contentFolder.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const char* outcomeOf(const cLevel& level) {
    switch (level.getState()) {
    case cLevel::stateWon:
    case cLevel::stateAdvancing:
        return "won";
    case cLevel::stateFailed:
        return "failed";
    default:
        return "left";
    }
}

// The mesh container's progress lines say nothing a replay's reader needs.
void loadModelsQuietly(cMeshCont& meshes) {
    std::fflush(stderr);
    const int saved = dup(2);
    std::FILE* null = std::fopen("/dev/null", "w");
    if (null != nullptr)
        dup2(fileno(null), 2);
    meshes.load();
    std::fflush(stderr);
    if (saved >= 0) {
        dup2(saved, 2);
        close(saved);
    }
    if (null != nullptr)
        std::fclose(null);
}

// A map path as the level names it ("maps/NAME") back to the name setMapName takes.
std::string mapFileName(const std::string& mapName) {
    const std::string prefix = "maps/";
    return mapName.compare(0, prefix.size(), prefix) == 0 ? mapName.substr(prefix.size()) : mapName;
}

} // namespace

int replayRecording(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbix-tool replay FILE\n");
        return toolExit::badCommandLine;
    }
    std::error_code ec;
    const std::string path = std::filesystem::absolute(argv[2], ec).string();
    sReplay rec;
    std::string message;
    const cReplayReader::eResult read = cReplayReader::read(path, rec, message);
    if (read == cReplayReader::refused) {
        std::fprintf(stderr, "replay: %s: %s\n", argv[2], message.c_str());
        return toolExit::refused;
    }
    if (!enterContentFolder(message)) {
        std::fprintf(stderr, "replay: %s\n", message.c_str());
        return toolExit::refused;
    }
    if (!cLevelReplay::contentMatches(rec, message)) {
        std::fprintf(stderr, "replay: %s: %s\n", argv[2], message.c_str());
        return toolExit::refused;
    }
    cMeshCont meshes;
    loadModelsQuietly(meshes);

    // One run state for the whole file, as the game holds one; each level restores its own.
    cRunState run;
    for (const sReplayLevel& l : rec.levels) {
        cLevel level(l.number);
        if (!level.setMapName(mapFileName(l.mapName).c_str())) {
            std::fprintf(stderr, "replay: %s: map file name too long\n", l.mapName.c_str());
            return toolExit::refused;
        }
        sLevelStart how;
        how.meshes = &meshes;
        how.seed = l.seed;
        how.run = &run;
        how.restore = &l.run;
        // A map the game could not build left its level inactive while recording; so it is here.
        if (!level.start(how))
            std::printf("replay: %s cannot be built; its level stays inactive, as when it was recorded\n",
                        l.mapName.c_str());
        int enemies = 0;
        for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext())
            enemies++;
        std::printf("map: %s seed=%" PRIu32 " level=%d enemies=%d size=%.0fx%.0f\n", l.mapName.c_str(), l.seed,
                    l.number, enemies, level.getMap().getX(), level.getMap().getY());
        cLevelReplay replay;
        replay.start(l, level);
        cLevelReplay::eStep step;
        while ((step = replay.step()) == cLevelReplay::played) {
        }
        if (step == cLevelReplay::outOfStep) {
            std::printf("replay: out of step at level %d, tick %" PRId64 "\n", l.number, replay.getTick());
            return toolExit::refused;
        }
        int fallen = 0, killed = 0;
        for (const cPlayerBall* s = level.getFallen(); s != nullptr; s = s->getNext())
            fallen++;
        for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext())
            killed += e->isAlive() ? 0 : 1;
        std::printf("result: %s time_ms=%" PRId64 " soldiers_lost=%d enemies_killed=%d shots=%d hash=%016" PRIx64 "\n",
                    outcomeOf(level), level.getLevelTime(), fallen, killed, replay.getShots(),
                    levelStateHash(level));
    }
    if (read == cReplayReader::cutShort) {
        std::printf("replay: %s\n", message.c_str());
        return toolExit::refused;
    }
    std::printf("replay: %zu level(s) in step\n", rec.levels.size());
    return toolExit::loaded;
}
