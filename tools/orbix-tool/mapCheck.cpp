// orbix-tool map: what a level map holds, which level rules it breaks and what looks like a slip, for level makers.
// Places are given as an image editor shows them: x from the left, y from the top.
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
    std::printf("start: %s\n", rules.startsText().c_str());
    std::printf("enemies: %d\n", rules.enemyCount());
    std::printf("winter: %s\n", rules.isWinter() ? "yes" : "no");
    std::printf("water: %.1f%%\n", 100.0 * rules.share(cLevelRules::water));
    std::printf("trees: %.1f%%\n", 100.0 * rules.share(cLevelRules::tree));
    for (const auto& w : rules.warnings())
        std::fprintf(stderr, "orbix-tool: %s: warning: %s\n", path, w.c_str());
    const auto breaks = rules.check();
    for (const auto& b : breaks)
        std::fprintf(stderr, "orbix-tool: %s: %s\n", path, b.text().c_str());
    std::printf("rules: %s\n", breaks.empty() ? "kept" : "broken");
    return breaks.empty() ? toolExit::loaded : toolExit::refused;
}
