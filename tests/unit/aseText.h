// Builds small ASE texts, laid out as a 3ds Max exporter writes them, for the model tests.
#pragma once

#include <array>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace aseText {

using V3 = std::array<float, 3>;
using I3 = std::array<int, 3>;

template <class T>
std::string v3(const std::array<T, 3>& v) {
    return std::to_string(v[0]) + "\t" + std::to_string(v[1]) + "\t" + std::to_string(v[2]);
}

inline std::string scene(int first = 0, int last = 100, int ticksPerFrame = 160) {
    return "*3DSMAX_ASCIIEXPORT\t200\n*COMMENT \"made by a test\"\n*SCENE {\n\t*SCENE_FILENAME \"\"\n"
           "\t*SCENE_FIRSTFRAME " + std::to_string(first) + "\n\t*SCENE_LASTFRAME " + std::to_string(last) +
           "\n\t*SCENE_FRAMESPEED 30\n\t*SCENE_TICKSPERFRAME " + std::to_string(ticksPerFrame) + "\n}\n"
           "*MATERIAL_LIST {\n\t*MATERIAL_COUNT 0\n}\n";
}

// A node transform; pos in file units (a hundred times game units), angle in radians.
inline std::string nodeTm(const std::string& name, const V3& pos = {0, 0, 0}, const V3& axis = {0, 0, 0},
                          float angle = 0) {
    return "\t*NODE_TM {\n\t\t*NODE_NAME \"" + name + "\"\n\t\t*INHERIT_POS 0 0 0\n"
           "\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\n\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\n"
           "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\n\t\t*TM_ROW3 " + v3(pos) + "\n\t\t*TM_POS " + v3(pos) +
           "\n\t\t*TM_ROTAXIS " + v3(axis) + "\n\t\t*TM_ROTANGLE " + std::to_string(angle) +
           "\n\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\n\t}\n";
}

inline std::string texParts(const std::vector<V3>& tverts, const std::vector<I3>& tfaces) {
    std::string s = "\t\t*MESH_NUMTVERTEX " + std::to_string(tverts.size()) + "\n\t\t*MESH_TVERTLIST {\n";
    for (size_t i = 0; i < tverts.size(); ++i)
        s += "\t\t\t*MESH_TVERT " + std::to_string(i) + "\t" + v3(tverts[i]) + "\n";
    s += "\t\t}\n\t\t*MESH_NUMTVFACES " + std::to_string(tfaces.size()) + "\n\t\t*MESH_TFACELIST {\n";
    for (size_t i = 0; i < tfaces.size(); ++i)
        s += "\t\t\t*MESH_TFACE " + std::to_string(i) + "\t" + v3(tfaces[i]) + "\n";
    return s + "\t\t}\n";
}

// Per face: the face normal and the three corner normals.
inline std::string normalParts(const std::vector<std::array<V3, 3>>& cornerNormals) {
    std::string s = "\t\t*MESH_NORMALS {\n";
    for (size_t f = 0; f < cornerNormals.size(); ++f) {
        s += "\t\t\t*MESH_FACENORMAL " + std::to_string(f) + "\t0.0\t0.0\t1.0\n";
        for (int k = 0; k < 3; ++k)
            s += "\t\t\t\t*MESH_VERTEXNORMAL " + std::to_string(k) + "\t" + v3(cornerNormals[f][k]) + "\n";
    }
    return s + "\t\t}\n";
}

constexpr int unset = std::numeric_limits<int>::min();

// A whole MESH block; the declared counts may differ from the lists to make broken files.
inline std::string meshBlock(const std::vector<V3>& verts, const std::vector<I3>& faces,
                             const std::string& optional = "", int declaredVerts = unset, int declaredFaces = unset) {
    std::string s = "\t*MESH {\n\t\t*TIMEVALUE 0\n\t\t*MESH_NUMVERTEX " +
                    std::to_string(declaredVerts != unset ? declaredVerts : static_cast<int>(verts.size())) +
                    "\n\t\t*MESH_NUMFACES " +
                    std::to_string(declaredFaces != unset ? declaredFaces : static_cast<int>(faces.size())) +
                    "\n\t\t*MESH_VERTEX_LIST {\n";
    for (size_t i = 0; i < verts.size(); ++i)
        s += "\t\t\t*MESH_VERTEX " + std::to_string(i) + "\t" + v3(verts[i]) + "\n";
    s += "\t\t}\n\t\t*MESH_FACE_LIST {\n";
    for (size_t i = 0; i < faces.size(); ++i)
        s += "\t\t\t*MESH_FACE    " + std::to_string(i) + ":    A:    " + std::to_string(faces[i][0]) +
             " B:    " + std::to_string(faces[i][1]) + " C:    " + std::to_string(faces[i][2]) +
             " AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n";
    return s + "\t\t}\n" + optional + "\t}\n";
}

// Keys: the tick and the position; the tick, the axis and the angle in radians.
using PosKey = std::pair<int, V3>;
using RotKey = std::tuple<int, V3, float>;

inline std::string animation(const std::string& name, const std::vector<PosKey>& pos, const std::vector<RotKey>& rot) {
    std::string s = "\t*TM_ANIMATION {\n\t\t*NODE_NAME \"" + name + "\"\n";
    if (!pos.empty()) {
        s += "\t\t*CONTROL_POS_TRACK {\n";
        for (const auto& [tick, at] : pos)
            s += "\t\t\t*CONTROL_POS_SAMPLE " + std::to_string(tick) + "\t" + v3(at) + "\n";
        s += "\t\t}\n";
    }
    if (!rot.empty()) {
        s += "\t\t*CONTROL_ROT_TRACK {\n";
        for (const auto& [tick, axis, angle] : rot)
            s += "\t\t\t*CONTROL_ROT_SAMPLE " + std::to_string(tick) + "\t" + v3(axis) + "\t" +
                 std::to_string(angle) + "\n";
        s += "\t\t}\n";
    }
    return s + "\t}\n";
}

inline std::string geomObject(const std::string& name, const std::string& body) {
    return "*GEOMOBJECT {\n\t*NODE_NAME \"" + name + "\"\n" + body + "\t*PROP_MOTIONBLUR 0\n\t*MATERIAL_REF 0\n}\n";
}

// A unit square of two triangles in file units of 100, facing +z.
inline std::vector<V3> squareVerts() { return {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0}}; }
inline std::vector<I3> squareFaces() { return {{0, 1, 2}, {0, 2, 3}}; }

inline std::string square(const std::string& name, const std::string& optional = "", const V3& pos = {0, 0, 0}) {
    return geomObject(name, nodeTm(name, pos) + meshBlock(squareVerts(), squareFaces(), optional));
}

} // namespace aseText
