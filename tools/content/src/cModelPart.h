// One object of a generated model: a triangle mesh in file units (100 = one
// game unit), its pivot, optional texture coordinates and an optional per-frame
// node animation, with builders for the simple solids the models are made of.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

using sVec3 = std::array<double, 3>;

// Rotation as a unit quaternion (w, x, y, z).
struct sQuat {
    double w = 1, x = 0, y = 0, z = 0;
    static sQuat axisAngle(sVec3 axis, double radians);
    sQuat operator*(const sQuat& q) const;
    sQuat conjugate() const { return {w, -x, -y, -z}; }
};

// The node's state in one animation frame: where its pivot is and how it is turned.
struct sPose {
    sVec3 pos{};
    sQuat rot{};
};

class cModelPart {
public:
    explicit cModelPart(std::string name, sVec3 pivot = {});

    const std::string& name() const { return objectName; }
    sVec3 pivot() const { return pivotPos; }

    // Solids. Segments run around the axis, rings along it. Vertex normals are
    // smooth on curved surfaces and flat on box faces; every triangle is wound
    // counter-clockwise seen from outside.
    void addEllipsoid(sVec3 centre, sVec3 radii, int segments, int rings);
    void addBox(sVec3 lo, sVec3 hi);
    // Axis 0, 1 or 2 (x, y, z); a tube from base, length along that axis.
    void addCylinder(sVec3 base, int axis, double length, double radius, int segments, bool caps);
    // A cone along an axis (towards minus when height is negative), base disc closed.
    void addCone(sVec3 base, int axis, double radius, double height, int segments);
    // A flat quad, a, b, c, d counter-clockwise seen from the front.
    void addQuad(sVec3 a, sVec3 b, sVec3 c, sVec3 d);

    // Texture coordinates for every vertex from a function of its position and
    // normal; parts without them carry no texture data in the file.
    void mapTexture(const std::function<std::array<double, 2>(sVec3 pos, sVec3 normal)>& uvOf);

    // Animation: one pose per frame of the scene; empty for a static part.
    void animate(const std::function<sPose(int frame)>& poseOf, int frames);

    const std::vector<sVec3>& vertices() const { return verts; }
    const std::vector<sVec3>& normals() const { return norms; }
    const std::vector<std::array<int, 3>>& faces() const { return tris; }
    const std::vector<std::array<double, 2>>& uvs() const { return texCoords; }
    const std::vector<sPose>& poses() const { return frames; }

private:
    int addVertex(sVec3 p, sVec3 n);
    // Adds the triangle, turning it round if it faces against its vertex normals.
    void addTriangle(int a, int b, int c);

    std::string objectName;
    sVec3 pivotPos;
    std::vector<sVec3> verts;
    std::vector<sVec3> norms;
    std::vector<std::array<int, 3>> tris;
    std::vector<std::array<double, 2>> texCoords;
    std::vector<sPose> frames;
};
