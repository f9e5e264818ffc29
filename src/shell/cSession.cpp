// The options' effects around the game's start-up and end.
#include "shell/cSession.h"

#include "level/replay/cLevelReplay.h"
#include "level/replay/cReplayReader.h"
#include "shell/cGame.h"
#include "shell/gameVersion.h"
#include "world/cLevelLoader.h"

#include <cstdio>

int cSession::parse(int argc, char** argv) {
    switch (line.parse(argc, argv)) {
    case cCommandLine::showHelp:
        std::fputs(cCommandLine::helpText(), stdout);
        return 0;
    case cCommandLine::showVersion:
        std::printf("Orbix-TAL %s\n", kGameVersion);
        return 0;
    case cCommandLine::wrong:
        std::fprintf(stderr, "orbix-tal: %s\n", line.getError().c_str());
        return 2;
    case cCommandLine::run:
        break;
    }
    return -1;
}

int cSession::prepare() {
    std::string message;
    // Counted before the window opens, so a wrong --level is refused like any wrong option.
    if (line.getStartLevel() > 1) {
        cLevelLoader levels;
        levels.loadLevels();
        if (levels.getCount() < line.getStartLevel()) {
            std::fprintf(stderr, "orbix-tal: --level %d: the game has %d levels\n", line.getStartLevel(),
                         levels.getCount());
            return 2;
        }
    }
    if (!line.getRecordFile().empty() && !recorder.open(line.getRecordFile(), kGameVersion, 800, 600, message)) {
        std::fprintf(stderr, "orbix-tal: %s\n", message.c_str());
        return 1;
    }
    const std::string& file = isTimedemo() ? line.getTimedemoFile() : line.getPlayFile();
    if (file.empty())
        return -1;
    const cReplayReader::eResult read = cReplayReader::read(file, recording, message);
    if (read == cReplayReader::refused || !cLevelReplay::contentMatches(recording, message)) {
        std::fprintf(stderr, "orbix-tal: %s: %s\n", file.c_str(), message.c_str());
        return 1;
    }
    if (read == cReplayReader::cutShort)
        std::fprintf(stderr, "orbix-tal: %s: %s; playing what is there\n", file.c_str(), message.c_str());
    return -1;
}

int cSession::attach(cGame& game) {
    // The maps were counted before; one taken away since ends the run the same way.
    if (line.getStartLevel() > 1 && !game.skipToLevel(line.getStartLevel())) {
        std::fprintf(stderr, "orbix-tal: --level %d: the game has %d levels\n", line.getStartLevel(),
                     game.levelCount());
        return 2;
    }
    if (recorder.isOpen())
        game.setRecorder(&recorder);
    if (!line.getPlayFile().empty() || isTimedemo())
        game.startReplay(&recording, isTimedemo(), line.isWideView());
    return -1;
}

void cSession::frameDrawn(const cGame& game, int now) {
    if (!isTimedemo() || game.isReplayOver())
        return;
    if (firstFrame < 0)
        firstFrame = now;
    lastFrame = now;
    frames++;
}

int cSession::end(const cGame& game) {
    recorder.finish();
    if (!game.isReplaying())
        return 0;
    if (isTimedemo()) {
        const double seconds = (lastFrame - firstFrame) / 1000.0;
        std::printf("%d frames, %.2f seconds, %.1f fps\n", frames, seconds, seconds > 0 ? frames / seconds : 0.0);
        std::fflush(stdout);
    }
    return game.getReplayStatus();
}
