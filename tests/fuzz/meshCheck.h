// What every loaded mesh must satisfy, whichever file it came from.
#pragma once

#include "assets/cMesh.h"
#include "fuzzSupport.h"

#include <cstring>

// The mesh's own promises: array sizes, frame picking inside the frames, and a binary
// round trip that gives back the same faces, normals and texture coordinates.
inline void fuzzCheckMesh(cMesh& mesh, const char* binPath) {
    FUZZ_CHECK(mesh.getNumFaces() >= 0 && mesh.getNumFrames() >= 0);
    FUZZ_CHECK(std::strlen(mesh.getName()) < static_cast<size_t>(cMesh::nameSize));
    mesh.countTransf();
    for (int request : {-1, -1, 0, 1, mesh.getNumFrames(), 1 << 30}) {
        const int frame = mesh.pickFrame(request);
        FUZZ_CHECK(frame >= -1 && frame < mesh.getNumFrames());
        FUZZ_CHECK((frame == -1) == (mesh.getNumFrames() == 0));
    }
    FUZZ_CHECK(mesh.saveToBinFile(binPath) != mesh.isEmpty());  // an empty mesh is not saved
    if (mesh.isEmpty()) return;
    cMesh back;
    FUZZ_CHECK(back.loadFromBinFile(binPath));
    const size_t bytes = static_cast<size_t>(mesh.getNumFaces()) * 9 * sizeof(float);
    FUZZ_CHECK(back.getNumFaces() == mesh.getNumFaces());
    FUZZ_CHECK(std::strcmp(back.getName(), mesh.getName()) == 0);
    FUZZ_CHECK(std::memcmp(back.getFaces(), mesh.getFaces(), bytes) == 0);
    FUZZ_CHECK(back.hasNormals() == mesh.hasNormals());
    FUZZ_CHECK(back.hasTexCoords() == mesh.hasTexCoords());
    if (mesh.hasNormals()) FUZZ_CHECK(std::memcmp(back.getNormals(), mesh.getNormals(), bytes) == 0);
    if (mesh.hasTexCoords()) FUZZ_CHECK(std::memcmp(back.getTexCoords(), mesh.getTexCoords(), bytes) == 0);
}
