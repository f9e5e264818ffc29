// The checking subcommands of orbix-tool: one picture or one model object.
#include "toolCommands.h"

#include "assets/cBitmap.h"
#include "assets/cMesh.h"

#include <cstdio>
#include <filesystem>

namespace {

// A clear reason for a file that is not there at all, before any loader is asked.
bool reportMissing(const char* path)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        return false;
    std::fprintf(stderr, "orbix-tool: %s: no such file\n", path);
    return true;
}

} // namespace

int checkBitmap(const char* path)
{
    if (reportMissing(path))
        return toolExit::refused;
    cBitmap bitmap(0, 0);
    if (!bitmap.loadFromFile(path)) {
        std::fprintf(stderr, "orbix-tool: %s: not an uncompressed 24-bit BMP, or broken\n", path);
        return toolExit::refused;
    }
    std::printf("%dx%d\n", bitmap.getWidth(), bitmap.getHeight());
    return toolExit::loaded;
}

int checkModel(const char* path, const char* name)
{
    if (reportMissing(path))
        return toolExit::refused;
    cMesh mesh;
    if (!mesh.loadFromASE(path, 0, name)) {
        std::fprintf(stderr, "orbix-tool: %s: %s\n", path, mesh.getLoadError().c_str());
        return toolExit::refused;
    }
    mesh.printInfo();
    return toolExit::loaded;
}
