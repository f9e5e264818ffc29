// Soak: the bot plays a shipped level through many restarts and new games, and the heap stays flat.
#include "bots/cBot.h"
#include "level/cLevel.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <filesystem>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer runtime (GCC ships no header for it): its heap is not glibc's.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

TEST(BotSoak, HeapStaysFlatAcrossAHundredRestarts) {
    const char* map = "01-first-steps.bmp";
    if (!std::filesystem::exists(std::string(ORBIX_BIN_DIR "/maps/") + map)) GTEST_SKIP() << "no first map beside the programs";
    const auto liveHeapBytes = [] {
#ifdef __SANITIZE_ADDRESS__
        return __sanitizer_get_current_allocated_bytes();
#else
        return mallinfo2().uordblks + mallinfo2().hblkhd; // small blocks and the large ones mapped on their own
#endif
    };
    assetsTest::WorkingDir beside(ORBIX_BIN_DIR);
    cLevel level(1);
    ASSERT_TRUE(level.setMapName(map));
    level.seed(5);
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
