// orbix-content: writes every content file of the game into a folder.
// Usage: orbix-content OUTDIR RECORDEDDIR
#include "graphics.h"
#include "icon.h"
#include "maps.h"
#include "models.h"
#include "sounds.h"
#include "textures.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// The spoken lines are recorded once and committed; the build copies them.
bool copyRecorded(const fs::path& from, const fs::path& to) {
    bool ok = true;
    for (const char* name : {"roger.wav", "clear.wav"}) {
        std::error_code ec;
        fs::copy_file(from / name, to / name, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            std::fprintf(stderr, "orbix-content: cannot copy %s: %s\n", (from / name).c_str(), ec.message().c_str());
            ok = false;
        }
    }
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR RECORDEDDIR\n", argc > 0 ? argv[0] : "orbix-content");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* sub : {"textures", "models", "sounds", "graphics", "maps", "icons"}) {
        std::error_code ec;
        fs::create_directories(out / sub, ec);
        if (ec) {
            std::fprintf(stderr, "orbix-content: cannot create %s: %s\n", (out / sub).c_str(), ec.message().c_str());
            return 1;
        }
    }
    bool ok = true;
    auto step = [&ok](const char* what, bool done) {
        if (!done) std::fprintf(stderr, "orbix-content: writing the %s failed\n", what);
        ok = ok && done;
    };
    step("textures", writeTextures((out / "textures").string()));
    step("models", writeModels((out / "models").string()));
    step("sounds", writeSounds((out / "sounds").string()));
    step("recorded sounds", copyRecorded(argv[2], out / "sounds"));
    step("graphics", writeGraphics((out / "graphics").string()));
    step("maps", writeMaps((out / "maps").string()));
    step("icons", writeIcons((out / "icons").string()));
    return ok ? 0 : 1;
}
