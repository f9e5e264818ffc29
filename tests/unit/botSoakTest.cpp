// Soak: the bot plays a shipped level through a hundred restarts and a dozen new games, god mode off and on,
// and the heap stays flat.
#include "level/cBot.h"
#include "level/cLevel.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ORBIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORBIX_ASAN 1
#endif
#endif
#ifdef ORBIX_ASAN
// From the sanitizer runtime (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the program holds on the heap right now.
size_t liveHeapBytes() {
#ifdef ORBIX_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;   // small blocks and the large ones mapped on their own
#endif
}

// The first shipped map beside the programs, by name; empty when none is there.
std::string firstShippedMap() {
    std::vector<std::string> maps;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ORBIX_BIN_DIR "/maps", ec))
        if (entry.path().filename().string()[0] != '.') maps.push_back(entry.path().filename().string());
    return maps.empty() ? "" : *std::min_element(maps.begin(), maps.end());
}

}  // namespace

TEST(BotSoak, HeapStaysFlatAcrossAHundredRestarts) {
    const std::string map = firstShippedMap();
    if (map.empty()) GTEST_SKIP() << "no shipped maps beside the programs";
    assetsTest::WorkingDir beside(ORBIX_BIN_DIR);
    std::srand(5);
    cLevel level(1);
    ASSERT_TRUE(level.setMapName(map.c_str()));
    size_t heap[2] = {}; // after the second new game, and after the twelfth
    for (int round = 0; round <= 110; round++) {
        // A new game now and then rebuilds everything from the map.
        if (round % 10 == 0) { ASSERT_TRUE(level.init()); } else { level.restart(); }
        if (round == 10 || round == 110) heap[round / 100] = liveHeapBytes();
        level.setGodMode(round % 2 == 0);
        cBot().play(level, 1500);
    }
    // Anything that leaks per restart or per new game shows up a hundredfold here.
    EXPECT_LT(heap[1], heap[0] + 64 * 1024) << "heap grew from " << heap[0] << " to " << heap[1] << " bytes";
}
