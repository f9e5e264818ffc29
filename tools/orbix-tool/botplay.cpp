// orbix-tool botplay: plays one map headless with the bot and prints the outcome.
#include "toolCommands.h"

#include "assets/cMeshCont.h"
#include "bots/cBot.h"
#include "level/cLevel.h"
#include "bots/cPlayerBot.h"
#include "level/replay/cRecorder.h"
#include "platform/contentFolder.h"
#include "shell/gameVersion.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

namespace {

struct sBotOptions {
    const char* map = nullptr;
    long seed = 1;
    long god = 0;
    long maxMs = 600000;
    long tickMs = cLevel::stepMs;  // one frame between the bot's looks, as the game's timer hands it
    bool player = false;  // the player-like bot instead of the planning one
    eDifficulty difficulty = eDifficulty::veteran;  // the game without the campaign
    std::string record;   // absolute path; empty: no recording
};

// A whole decimal number in [low, high], nothing else.
bool readNumber(const char* text, long low, long high, long& out)
{
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || v < low || v > high)
        return false;
    out = v;
    return true;
}

bool readOptions(int argc, char** argv, sBotOptions& o)
{
    if (argc < 3)
        return false;
    o.map = argv[2];
    for (int i = 3; i < argc; i += 2) {
        if (i + 1 >= argc)
            return false;
        const char* name = argv[i];
        const char* value = argv[i + 1];
        bool ok = false;
        if (std::strcmp(name, "--record") == 0) {
            std::error_code ec;
            o.record = std::filesystem::absolute(value, ec).string();
            ok = value[0] != '\0' && !ec;
        } else if (std::strcmp(name, "--seed") == 0)
            ok = readNumber(value, 0, UINT_MAX, o.seed);
        else if (std::strcmp(name, "--god") == 0)
            ok = readNumber(value, 0, 1, o.god);
        else if (std::strcmp(name, "--style") == 0)
            ok = (o.player = std::strcmp(value, "player") == 0) || std::strcmp(value, "planner") == 0;
        else if (std::strcmp(name, "--difficulty") == 0) {
            const std::optional<eDifficulty> d = difficultyFromName(value);
            if ((ok = d.has_value()))
                o.difficulty = *d;
        } else if (std::strcmp(name, "--max-ms") == 0)
            ok = readNumber(value, cLevel::stepMs, INT_MAX - cLevel::maxFrameMs, o.maxMs);
        else if (std::strcmp(name, "--tick") == 0)
            ok = readNumber(value, 1, cLevel::maxFrameMs, o.tickMs);
        if (!ok) {
            std::fprintf(stderr, "orbix-tool botplay: bad option %s %s\n", name, value);
            return false;
        }
    }
    return true;
}

int botUsage()
{
    std::fprintf(stderr, "usage: orbix-tool botplay MAP [--seed N] [--god 0|1] [--max-ms N] [--style planner|player]\n"
                         "                           [--tick MS] [--record FILE] [--difficulty recruit|regular|veteran]\n"
                         "  MAP is a BMP file, or the name of a map in the game's maps/ folder;\n"
                         "  --tick gives the frame length the level is updated with, 1 to 250 ms (5);\n"
                         "  --difficulty softens what the squad suffers as the campaign's steps do\n"
                         "  (veteran, the default, is the game without the campaign);\n"
                         "  --record writes the game as a recording (the models are then loaded, as in\n"
                         "  the game; they change nothing in its play)\n");
    return toolExit::badCommandLine;
}

} // namespace

int playBot(int argc, char** argv)
{
    sBotOptions o;
    if (!readOptions(argc, argv, o))
        return botUsage();

    // A path given on the command line is taken from where the tool was started;
    // the level reads maps through "maps/" in the content folder.
    std::error_code ec;
    std::filesystem::path given;
    if (std::filesystem::is_regular_file(o.map, ec))
        given = std::filesystem::absolute(o.map, ec);
    std::string message;
    if (!enterContentFolder(message)) {
        std::fprintf(stderr, "orbix-tool botplay: %s\n", message.c_str());
        return toolExit::refused;
    }
    std::string name = o.map;
    if (!given.empty())
        name = std::filesystem::relative(given, std::filesystem::current_path(ec) / "maps", ec).string();

    cLevel level(1);
    if (!level.setMapName(name.c_str())) {
        std::fprintf(stderr, "orbix-tool botplay: %s: map file name too long\n", o.map);
        return toolExit::refused;
    }
    cMeshCont meshes;
    cRecorder recorder;
    cRunState run;
    sLevelStart how;
    how.seed = static_cast<uint32_t>(o.seed);
    how.run = &run;
    if (!o.record.empty()) {
        std::string error;
        if (!recorder.open(o.record, kGameVersion, 800, 600, error)) {
            std::fprintf(stderr, "orbix-tool botplay: %s\n", error.c_str());
            return toolExit::refused;
        }
        meshes.load();
        how.meshes = &meshes;
        how.recorder = &recorder;
    }
    sPlayRules rules;
    rules.difficulty = o.difficulty;
    level.setPlayRules(rules);
    if (!level.start(how)) {
        std::fprintf(stderr, "orbix-tool botplay: %s: not a playable map\n", o.map);
        return toolExit::refused;
    }
    level.setGodMode(o.god != 0);
    int enemies = 0;
    for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext())
        enemies++;
    std::printf("map: %s seed=%ld god=%ld enemies=%d size=%.0fx%.0f\n", o.map, o.seed, o.god, enemies,
                level.getMap().getX(), level.getMap().getY());

    cBot planner;
    cPlayerBot player(static_cast<uint64_t>(o.seed));
    cBot& bot = o.player ? static_cast<cBot&>(player) : planner;
    const sBotResult r = bot.play(level, static_cast<int>(o.maxMs), static_cast<int>(o.tickMs));
    std::printf("result: %s time_ms=%d soldiers_lost=%d enemies_killed=%d shots=%d\n",
                cBot::outcomeName(r.outcome), r.timeMs, r.soldiersLost, r.enemiesKilled, r.shots);
    recorder.finish();
    return toolExit::loaded;
}
