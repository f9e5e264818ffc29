// libFuzzer target: any bytes as a binary mesh file load into a sound mesh or are refused.
#include "meshCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const cScratchFolder folder("meshBinFuzz", {});
    if (!fuzzWriteFile("fuzz.bin", data, size)) return 0;
    cMesh mesh;
    if (!mesh.loadFromBinFile("fuzz.bin")) {
        FUZZ_CHECK(mesh.isEmpty() && mesh.getNumFrames() == 0);
        return 0;
    }
    fuzzCheckMesh(mesh, "copy.bin");
    return 0;
}
