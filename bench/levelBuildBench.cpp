// Building a whole level from its map file (reading, terrain, markers, squad and enemies) for 64 to 512 pixel maps,
// and one headless bot game per shipped level.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "assets/cBitmap.h"
#include "bots/cBot.h"
#include "level/cLevel.h"

namespace {

// A scratch content folder for the duration of one benchmark.
class cScratchMaps {
public:
    cScratchMaps() : home(std::filesystem::current_path()) {
        dir = std::filesystem::temp_directory_path() / ("orbix-levelbench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir / "maps");
        std::filesystem::current_path(dir);
    }
    ~cScratchMaps() {
        std::error_code ec;
        std::filesystem::current_path(home, ec);
        std::filesystem::remove_all(dir, ec);
    }
    cScratchMaps(const cScratchMaps&) = delete;
    cScratchMaps& operator=(const cScratchMaps&) = delete;

private:
    std::filesystem::path home, dir;
};

// Ground with a lake, tree rows, one enemy every 24 pixels each way and the squad in a corner.
bool writeMap(const char* path, int side) {
    cBitmap bmp(side, side);
    for (int y = 0; y < side; y++)
        for (int x = 0; x < side; x++) {
            unsigned char r = 120, g = 160, b = 60;
            if (x > side / 2 && x < side * 3 / 4 && y > side / 2 && y < side * 3 / 4)
                r = 0, g = 0, b = 255;
            else if ((x * 31 + y * 17) % 23 == 0)
                r = 0, g = 0, b = 0;
            else if (x % 24 == 12 && y % 24 == 12)
                r = 255, g = 0, b = 0;
            bmp.setColor(x, y, r, g, b, 255);
        }
    bmp.setColor(4, 4, 0, 255, 0, 255);
    return bmp.saveToFile(path);
}

void BM_LevelBuild(benchmark::State& state) {
    cScratchMaps scratch;
    if (!writeMap("maps/bench.bmp", static_cast<int>(state.range(0)))) {
        state.SkipWithError("cannot write the map");
        return;
    }
    cLevel level(1);
    level.setMapName("bench.bmp");
    for (auto _ : state)
        if (level.seed(1), !level.init()) {
            state.SkipWithError("the level was refused");
            return;
        }
}
BENCHMARK(BM_LevelBuild)->RangeMultiplier(2)->Range(64, 512)->Unit(benchmark::kMillisecond);

// Whole bot games at the fixed step: what a level designer waits for per try.
void BM_BotGame(benchmark::State& state, const std::string& map) {
    std::error_code ec;
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(ORBIX_BIN_DIR, ec);
    cLevel level(1);
    level.setMapName(map.c_str());
    int gameMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        level.seed(1);
        const bool built = level.init();
        state.ResumeTiming();
        if (!built) {
            state.SkipWithError("the level was refused");
            break;
        }
        cBot bot;
        gameMs = bot.play(level, 600000).timeMs;
    }
    state.counters["game_ms"] = gameMs;
    std::filesystem::current_path(home, ec);
}

const bool registered = [] {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(ORBIX_BIN_DIR) + "/maps", ec)) {
        const std::string name = entry.path().filename().string();
        if (name[0] != '.')
            benchmark::RegisterBenchmark(("BM_BotGame/" + name).c_str(), BM_BotGame, name)
                ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
