// Building a mesh from one object of an ASE file.
#include "assets/cASELoader.h"
#include "assets/cMesh.h"
#include "assets/closedSurface.h"
#include "assets/fileAlloc.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float aseScale = 0.01f;  // ASE lengths are a hundred times game units
constexpr float toDegrees = static_cast<float>(180.0 / M_PI);
// The shortest a list entry can be written ("*MESH_TVERT 0 0 0 0" and longer): no count
// may promise more entries than the file has room for.
constexpr long long minEntryBytes = 16;

void scale3(float* v)
{
    v[0] *= aseScale;
    v[1] *= aseScale;
    v[2] *= aseScale;
}

bool validIndex(int i, int count)
{
    return i >= 0 && i < count;
}

} // namespace

bool cMesh::loadFromASE(const char* path, unsigned char index, const char* objectName)
{
    dispose();
    loadError = "cannot open the file";
    cASELoader ase;
    if (!path || !ase.openFile(path))
        return false;
    loadError.clear();
    long long countLimit = ase.fileSize() / minEntryBytes;

    auto fail = [this](const char* why) {
        dispose();
        loadError = why;
        return false;
    };

    // Scene: the frame range and the tick length that animation keys are given in.
    int first, last, ticksPerFrame;
    if (!ase.searchNode(cASELoader::SCENE) || !ase.searchNode(cASELoader::SCENE_FIRSTFRAME) || !ase.getInt(first) ||
        !ase.searchNode(cASELoader::SCENE_LASTFRAME) || !ase.getInt(last) ||
        !ase.searchNode(cASELoader::SCENE_TICKSPERFRAME) || !ase.getInt(ticksPerFrame))
        return fail("no scene frame range and tick length");
    long long frameCount = static_cast<long long>(last) - first + 1;
    if (ticksPerFrame <= 0 || frameCount > maxFrames)
        return fail("the scene has ticks of no length or an absurd number of frames");
    int sceneFrames = frameCount > 0 ? static_cast<int>(frameCount) : 0;

    // Object: by name, or the index-th one; from here on every search stays inside it.
    if (objectName) {
        std::strncpy(name, objectName, nameSize - 1);
        name[nameSize - 1] = 0;
        if (!ase.findObject(objectName))
            return fail("no object of that name");
    } else {
        for (int i = 0; i <= index; ++i)
            if (!ase.searchNode(cASELoader::GEOMOBJECT))
                return fail("fewer objects than that");
        ase.beginObject();
        if (!ase.searchNode(cASELoader::NODE_NAME) || !ase.getString(name, nameSize))
            return fail("the object has no name");
    }

    if (!ase.getTMatrix(tm) || !ase.get3vertex(cASELoader::TM_POS, pos) ||
        !ase.get3vertex(cASELoader::TM_ROTAXIS, rotAxis) || !ase.searchNode(cASELoader::TM_ROTANGLE) ||
        !ase.getFloat(rotAngle))
        return fail("the object has no complete node transform");
    rotAngle *= toDegrees;
    scale3(pos);
    scale3(rotAxis);

    int nVertices, nFaces;
    if (!ase.searchNode(cASELoader::MESH) || !ase.searchNode(cASELoader::MESH_NUMVERTEX) || !ase.getInt(nVertices) ||
        !ase.searchNode(cASELoader::MESH_NUMFACES) || !ase.getInt(nFaces))
        return fail("the object has no mesh with vertex and face counts");
    if (nVertices < 0 || nFaces < 0 || nVertices > countLimit || nFaces > countLimit)
        return fail("the vertex or face count is negative or more than the file can hold");
    if (!realloc(nVertices, nFaces, sceneFrames))
        return fail("not enough memory for the vertex and face counts");

    if (!ase.searchNode(cASELoader::MESH_VERTEX_LIST))
        return fail("no vertex list");
    for (int i = 0; i < numVertices; ++i) {
        if (!ase.getVertex(cASELoader::MESH_VERTEX, &vertices[3 * i]))
            return fail("fewer vertices listed than declared, or a broken vertex line");
        scale3(&vertices[3 * i]);
    }
    if (!ase.searchNode(cASELoader::MESH_FACE_LIST))
        return fail("no face list");
    for (int f = 0; f < numFaces; ++f) {
        int corner[3];
        if (!ase.getFaceInd(corner[0], corner[1], corner[2]))
            return fail("fewer faces listed than declared, or a broken face line");
        for (int k = 0; k < 3; ++k) {
            if (!validIndex(corner[k], numVertices))
                return fail("a face corner names a vertex that does not exist");
            std::memcpy(&faces[9 * f + 3 * k], &vertices[3 * corner[k]], 3 * sizeof(float));
        }
    }

    // Optional parts, in any order, up to the end of this object. A part that fails is left
    // out and reading goes on right behind its node, so the parts after it are still found.
    bool withTex = false, withNormals = false, withAnimation = false;
    for (bool more = true; more;) {
        int node = ase.getNode();
        switch (node) {
        case cASELoader::MESH_NUMTVERTEX:
        case cASELoader::MESH_NORMALS: {
            cASELoader::sMark behindNode = ase.mark();
            bool ok = node == cASELoader::MESH_NORMALS ? readNormals(ase) : readTexCoords(ase, countLimit);
            (node == cASELoader::MESH_NORMALS ? withNormals : withTex) = ok;
            if (!ok && !ase.restore(behindNode))
                more = false;
            break;
        }
        case cASELoader::TM_ANIMATION:
            withAnimation = readAnimation(ase, ticksPerFrame);
            break;
        case cASELoader::MESH:
        case cASELoader::endOfFile:
        case cASELoader::endOfObject:
            more = false;
            break;
        default:
            break;
        }
    }

    if (!withTex)
        std::vector<float>().swap(texCoords);
    if (!withNormals)
        std::vector<float>().swap(normals);
    if (!withAnimation || frames.empty()) {
        std::vector<sAnimation>().swap(frames);
        numFrames = 0;
    } else {
        // The walk cycle runs over frames 20 to 99, or over what there is of them.
        loopLast = std::min(defaultLoopLast, numFrames - 1);
        loopFirst = std::min(defaultLoopFirst, loopLast);
        countTransf();
    }
    closed = isClosedSurface(faces.data(), numFaces);
    return true;
}

bool cMesh::readTexCoords(cASELoader& ase, long long countLimit)
{
    int count;
    if (!ase.getInt(count) || count < 0 || count > countLimit)
        return false;
    std::vector<float> tverts;
    if (!fileAlloc::assign(tverts, static_cast<size_t>(count) * 3, 0.0f))
        return false;
    for (int i = 0; i < count; ++i)
        if (!ase.getVertex(cASELoader::MESH_TVERT, &tverts[3 * i]))
            return false;
    if (!ase.searchNode(cASELoader::MESH_TFACELIST))
        return false;
    for (int f = 0; f < numFaces; ++f) {
        int corner[3];
        if (!ase.getFaceTInd(corner[0], corner[1], corner[2]))
            return false;
        for (int k = 0; k < 3; ++k) {
            if (!validIndex(corner[k], count))
                return false;
            std::memcpy(&texCoords[9 * f + 3 * k], &tverts[3 * corner[k]], 3 * sizeof(float));
        }
    }
    return true;
}

bool cMesh::readNormals(cASELoader& ase)
{
    for (int f = 0; f < numFaces; ++f)
        if (!ase.getFaceVertexNormals(&normals[9 * f]))
            return false;
    return true;
}

bool cMesh::readAnimation(cASELoader& ase, int ticksPerFrame)
{
    if (frames.empty())
        return false;
    bool trackRead = false;
    int node = ase.getNode();
    for (;;) {
        switch (node) {
        case cASELoader::NODE_NAME:
        case cASELoader::CONTROL_POS_SAMPLE:
        case cASELoader::CONTROL_ROT_SAMPLE:
            node = ase.getNode();
            break;
        case cASELoader::CONTROL_POS_TRACK:
        case cASELoader::CONTROL_ROT_TRACK: {
            int sample = node == cASELoader::CONTROL_POS_TRACK ? cASELoader::CONTROL_POS_SAMPLE
                                                                : cASELoader::CONTROL_ROT_SAMPLE;
            if (!readTrack(ase, sample, ticksPerFrame, node))
                return false;
            trackRead = true;
            break;
        }
        default:
            return trackRead;
        }
    }
}

bool cMesh::readTrack(cASELoader& ase, int sampleNode, int ticksPerFrame, int& node)
{
    // Each frame takes the first key at or after it; frames after the last key keep the last key.
    sAnimation key;
    key.reset();
    long long lastKey = -1;
    for (int i = 0; i < numFrames; ++i) {
        if (i > lastKey) {
            node = ase.getNode();
            if (node == sampleNode) {
                int tick;
                if (!ase.getInt(tick))
                    return false;
                lastKey = tick / ticksPerFrame;
                float* values = sampleNode == cASELoader::CONTROL_POS_SAMPLE ? key.pos : key.axis;
                if (!ase.getFloat(values[0]) || !ase.getFloat(values[1]) || !ase.getFloat(values[2]))
                    return false;
                scale3(values);
                if (sampleNode == cASELoader::CONTROL_ROT_SAMPLE) {
                    if (!ase.getFloat(key.angle))
                        return false;
                    key.angle *= toDegrees;
                }
            } else {
                lastKey = numFrames;
            }
        }
        sAnimation& f = frames[static_cast<size_t>(i)];
        if (sampleNode == cASELoader::CONTROL_POS_SAMPLE) {
            std::memcpy(f.pos, key.pos, sizeof key.pos);
        } else {
            std::memcpy(f.axis, key.axis, sizeof key.axis);
            f.angle = key.angle;
        }
    }
    return true;
}
