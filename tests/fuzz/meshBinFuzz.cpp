// libFuzzer target: any bytes as a binary mesh file load into a sound mesh or are refused.
#include "meshCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const cScratchFile file("meshBinFuzz", ".bin");
    static const cScratchFile copy("meshBinFuzz", "-copy.bin");
    if (!file.write(data, size)) return 0;
    cMesh mesh;
    if (!mesh.loadFromBinFile(file.path())) {
        FUZZ_CHECK(mesh.isEmpty() && mesh.getNumFrames() == 0);
        return 0;
    }
    fuzzCheckMesh(mesh, copy.path());
    return 0;
}
