// orbix-tool map: what a level map holds and which level rules it breaks, for level makers.
#include "toolCommands.h"

#include "assets/cBitmap.h"
#include "world/cLevelRules.h"

#include <cstdio>
#include <filesystem>

int checkMap(const char* path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        std::fprintf(stderr, "orbix-tool: %s: no such file\n", path);
        return toolExit::refused;
    }
    cBitmap bitmap(0, 0);
    cLevelRules rules(0, 0);
    if (!bitmap.loadFromFile(path) || !rules.read(bitmap)) {
        std::fprintf(stderr, "orbix-tool: %s: not an uncompressed 24-bit BMP, or broken\n", path);
        return toolExit::refused;
    }
    std::printf("size: %dx%d\n", rules.getWidth(), rules.getHeight());
    if (rules.startCount() == 1)
        std::printf("start: %d,%d\n", rules.startX(), rules.startY());
    else
        std::printf("start: none\n");
    std::printf("enemies: %d\n", rules.enemyCount());
    std::printf("winter: %s\n", rules.isWinter() ? "yes" : "no");
    std::printf("water: %.1f%%\n", 100.0 * rules.share(cLevelRules::water));
    std::printf("trees: %.1f%%\n", 100.0 * rules.share(cLevelRules::tree));
    const auto breaks = rules.check();
    for (const auto& b : breaks)
        std::fprintf(stderr, "orbix-tool: %s: %s\n", path, b.text().c_str());
    std::printf("rules: %s\n", breaks.empty() ? "kept" : "broken");
    return breaks.empty() ? toolExit::loaded : toolExit::refused;
}
