// libFuzzer target: any bytes as an ASE file; every object loads into a sound mesh or is refused.
#include "meshCheck.h"

#include <string>
#include <vector>

namespace {
// Objects tried per input: enough for the game's largest file, and it keeps each run short.
constexpr int maxObjects = 12;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const cScratchFolder folder("aseFuzz", {});
    const char* path = "fuzz.ase";
    if (!fuzzWriteFile(path, data, size)) return 0;

    std::vector<std::string> names;
    for (int i = 0; i < maxObjects; ++i) {
        cMesh mesh;
        const bool loaded = mesh.loadFromASE(path, static_cast<unsigned char>(i), nullptr);
        FUZZ_CHECK(loaded == mesh.getLoadError().empty());
        if (!loaded) {
            FUZZ_CHECK(mesh.isEmpty() && mesh.getNumFrames() == 0);
            // A later object can still load when an earlier one is broken, but past the
            // last object nothing will.
            if (mesh.getLoadError() == "fewer objects than that") break;
            continue;
        }
        fuzzCheckMesh(mesh, "fuzz.bin");
        names.emplace_back(mesh.getName());
    }
    for (const std::string& name : names) {
        cMesh mesh;
        if (mesh.loadFromASE(path, 0, name.c_str())) fuzzCheckMesh(mesh, "fuzz.bin");
        else FUZZ_CHECK(mesh.isEmpty());
    }
    cMesh missing;
    FUZZ_CHECK(!missing.loadFromASE(path, 0, "no object has this name"));
    return 0;
}
