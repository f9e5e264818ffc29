// The generated models, read by a small independent parser of the ASE subset:
// object names, consistent counts and indices, texture and animation data, the
// frame range, the walk loop and the triangle budgets.
#include "contentTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace contentTest;

namespace {

struct sKey {
    int tick;
    std::array<double, 4> v;  // position (3) or axis (3) and angle
};

struct sObject {
    int numVertex = -1, numFaces = -1, numTVertex = -1;
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::array<int, 3>> faces, tfaces;
    std::vector<std::array<double, 2>> tverts;
    int faceNormals = 0, vertexNormals = 0;
    std::array<double, 3> pivot{};
    std::vector<sKey> pos, rot;
};

struct sScene {
    int first = -1, last = -1, ticks = -1;
    bool header = false;
    std::map<std::string, sObject> objects;
    std::vector<std::string> order;
};

std::string unquote(const std::string& s) {
    const size_t a = s.find('"'), b = s.rfind('"');
    return a == std::string::npos || b <= a ? "" : s.substr(a + 1, b - a - 1);
}

sScene parse(const std::string& text) {
    sScene sc;
    std::istringstream in(text);
    std::string line;
    sObject* cur = nullptr;
    bool inAnimation = false;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string word;
        ls >> word;
        if (word == "*3DSMAX_ASCIIEXPORT") sc.header = true;
        else if (word == "*SCENE_FIRSTFRAME") ls >> sc.first;
        else if (word == "*SCENE_LASTFRAME") ls >> sc.last;
        else if (word == "*SCENE_TICKSPERFRAME") ls >> sc.ticks;
        else if (word == "*GEOMOBJECT") cur = nullptr, inAnimation = false;
        else if (word == "*NODE_NAME" && !cur) {
            const std::string name = unquote(line);
            sc.order.push_back(name);
            cur = &sc.objects[name];
        } else if (!cur) continue;
        else if (word == "*TM_POS") ls >> cur->pivot[0] >> cur->pivot[1] >> cur->pivot[2];
        else if (word == "*MESH_NUMVERTEX") ls >> cur->numVertex;
        else if (word == "*MESH_NUMFACES") ls >> cur->numFaces;
        else if (word == "*MESH_NUMTVERTEX") ls >> cur->numTVertex;
        else if (word == "*MESH_VERTEX") {
            int i;
            std::array<double, 3> v;
            ls >> i >> v[0] >> v[1] >> v[2];
            cur->vertices.push_back(v);
        } else if (word == "*MESH_FACE") {
            std::string num, a, b, c;
            std::array<int, 3> f;
            ls >> num >> a >> f[0] >> b >> f[1] >> c >> f[2];
            if (a == "A:" && b == "B:" && c == "C:") cur->faces.push_back(f);
        } else if (word == "*MESH_TVERT") {
            int i;
            std::array<double, 2> t;
            ls >> i >> t[0] >> t[1];
            cur->tverts.push_back(t);
        } else if (word == "*MESH_TFACE") {
            int i;
            std::array<int, 3> f;
            ls >> i >> f[0] >> f[1] >> f[2];
            cur->tfaces.push_back(f);
        } else if (word == "*MESH_FACENORMAL") cur->faceNormals++;
        else if (word == "*MESH_VERTEXNORMAL") cur->vertexNormals++;
        else if (word == "*TM_ANIMATION") inAnimation = true;
        else if (inAnimation && word == "*CONTROL_POS_SAMPLE") {
            sKey k{};
            ls >> k.tick >> k.v[0] >> k.v[1] >> k.v[2];
            cur->pos.push_back(k);
        } else if (inAnimation && word == "*CONTROL_ROT_SAMPLE") {
            sKey k{};
            ls >> k.tick >> k.v[0] >> k.v[1] >> k.v[2] >> k.v[3];
            cur->rot.push_back(k);
        }
    }
    return sc;
}

sScene load(const char* file) { return parse(readFile(dir() / "models" / file)); }

// Every object's counts agree with its lists and every index points into them.
void expectConsistent(const sScene& sc, const std::string& name, bool textured) {
    ASSERT_TRUE(sc.objects.count(name)) << name << " missing";
    const sObject& o = sc.objects.at(name);
    EXPECT_GT(o.numVertex, 0) << name;
    EXPECT_GT(o.numFaces, 0) << name;
    EXPECT_EQ(int(o.vertices.size()), o.numVertex) << name;
    EXPECT_EQ(int(o.faces.size()), o.numFaces) << name;
    for (const auto& f : o.faces)
        for (int i : f) EXPECT_TRUE(i >= 0 && i < o.numVertex) << name << " face index " << i;
    EXPECT_EQ(o.faceNormals, o.numFaces) << name;
    EXPECT_EQ(o.vertexNormals, 3 * o.numFaces) << name;
    if (!textured) {
        EXPECT_EQ(o.numTVertex, -1) << name;
        return;
    }
    EXPECT_EQ(int(o.tverts.size()), o.numTVertex) << name;
    EXPECT_EQ(o.tfaces.size(), o.faces.size()) << name;
    for (const auto& f : o.tfaces)
        for (int i : f) EXPECT_TRUE(i >= 0 && i < o.numTVertex) << name << " texture face index " << i;
}

// A position and a rotation key for every frame of the scene, in frame order.
void expectFullAnimation(const sScene& sc, const std::string& name) {
    const sObject& o = sc.objects.at(name);
    const size_t frames = size_t(sc.last - sc.first + 1);
    ASSERT_EQ(o.pos.size(), frames) << name;
    ASSERT_EQ(o.rot.size(), frames) << name;
    for (size_t i = 0; i < frames; i++) {
        EXPECT_EQ(o.pos[i].tick, int(i) * sc.ticks) << name;
        EXPECT_EQ(o.rot[i].tick, int(i) * sc.ticks) << name;
        const auto& a = o.rot[i].v;
        EXPECT_GT(a[0] * a[0] + a[1] * a[1] + a[2] * a[2], 0.5) << name << ": a rotation axis must be a direction";
    }
}

double distance(const std::array<double, 4>& a, const std::array<double, 4>& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

using sMat3 = std::array<double, 9>;  // row-major

// A turn by the given radians about an axis (normalised here), right-handed as glRotate turns.
sMat3 rotation(double ax, double ay, double az, double radians) {
    const double l = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= l, ay /= l, az /= l;
    const double c = std::cos(radians), s = std::sin(radians), t = 1 - c;
    return {t * ax * ax + c,      t * ax * ay - s * az, t * ax * az + s * ay,
            t * ax * ay + s * az, t * ay * ay + c,      t * ay * az - s * ax,
            t * ax * az - s * ay, t * ay * az + s * ax, t * az * az + c};
}

sMat3 times(const sMat3& a, const sMat3& b) {
    sMat3 r{};
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++)
            for (int k = 0; k < 3; k++) r[size_t(3 * i + j)] += a[size_t(3 * i + k)] * b[size_t(3 * k + j)];
    return r;
}

// The turn the game bakes for each frame: every key applied against its
// written angle, chained from frame 0 up to that frame.
std::vector<sMat3> chainedTurns(const sObject& o) {
    std::vector<sMat3> out;
    sMat3 acc = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (const sKey& k : o.rot) {
        acc = times(rotation(k.v[0], k.v[1], k.v[2], -k.v[3]), acc);
        out.push_back(acc);
    }
    return out;
}

const char* const kBallFiles[4] = {"ball.ASE", "ball_L2.ASE", "ball_L4.ASE", "ball_L8.ASE"};
const char* const kBallObjects[8] = {"BallHead",  "BallLeftHand", "BallRightHand", "BallPistol",
                                     "BallLFoot", "BallRFoot",    "BallBazookaOn", "BallBazookaOff"};

}  // namespace

TEST(ContentModels, BallLevelsHoldTheEightObjectsWithConsistentData) {
    SKIP_WITHOUT_CONTENT();
    int previous = 1 << 30;
    for (const char* file : kBallFiles) {
        const sScene sc = load(file);
        EXPECT_TRUE(sc.header) << file;
        EXPECT_EQ(sc.first, 0) << file;
        EXPECT_EQ(sc.last, 100) << file;
        EXPECT_GT(sc.ticks, 0) << file;
        int triangles = 0;
        for (const char* name : kBallObjects) {
            const std::string n = name;
            expectConsistent(sc, n, n == "BallHead" || n == "BallPistol" || n.rfind("BallBazooka", 0) == 0);
            if (sc.objects.count(n)) triangles += sc.objects.at(n).numFaces;
        }
        expectFullAnimation(sc, "BallHead");
        expectFullAnimation(sc, "BallLFoot");
        expectFullAnimation(sc, "BallRFoot");
        EXPECT_LT(triangles, 2000) << file;
        EXPECT_LT(triangles, previous) << file << " is not coarser than the level before";
        previous = triangles;
    }
}

TEST(ContentModels, TheBallIsAboutOneCellWideAndFacesMinusY) {
    SKIP_WITHOUT_CONTENT();
    const sScene sc = load("ball.ASE");
    double lo = 1e9, hi = -1e9;
    for (const char* name : kBallObjects)
        for (const auto& v : sc.objects.at(name).vertices) lo = std::min(lo, v[0]), hi = std::max(hi, v[0]);
    EXPECT_GT(hi - lo, 80.0);
    EXPECT_LT(hi - lo, 130.0);
    // The face picture's centre lands on the front of the head.
    const sObject& head = sc.objects.at("BallHead");
    size_t best = 0;
    double bestD = 1e9;
    for (size_t i = 0; i < head.tverts.size(); i++) {
        const double d = std::hypot(head.tverts[i][0] - 0.5, head.tverts[i][1] - 0.5);
        if (d < bestD) bestD = d, best = i;
    }
    EXPECT_LT(head.vertices[best][1], head.pivot[1] - 20) << "the face is not at the front (-y)";
    for (const auto& t : head.tverts) {
        EXPECT_TRUE(t[0] >= 0 && t[0] <= 1 && t[1] >= 0 && t[1] <= 1) << "head texture coordinate off the picture";
    }
    double pistolY = 0;
    for (const auto& v : sc.objects.at("BallPistol").vertices) pistolY += v[1];
    EXPECT_LT(pistolY / double(sc.objects.at("BallPistol").vertices.size()), 0.0) << "the pistol points backwards";
}

TEST(ContentModels, TheWalkLoopClosesSmoothly) {
    SKIP_WITHOUT_CONTENT();
    // Units wrap the loop 99 -> 21 and the mesh itself 99 -> 20: frame 99 must
    // stand where the cycle starts again, and the wrap must be no bigger a step
    // than an ordinary one.
    const sScene sc = load("ball.ASE");
    for (const char* name : {"BallLFoot", "BallRFoot", "BallHead"}) {
        const auto& p = sc.objects.at(name).pos;
        ASSERT_EQ(p.size(), 101u);
        double largest = 0;
        for (int f = 20; f < 99; f++) largest = std::max(largest, distance(p[size_t(f)].v, p[size_t(f + 1)].v));
        EXPECT_LE(distance(p[99].v, p[20].v), 0.01 + 1e-9) << name;
        EXPECT_LE(distance(p[99].v, p[21].v), largest + 1e-6) << name;
    }
    // The turns, chained as the game bakes them, also come back round: frame 99
    // is turned as frame 20, and no frame is turned wildly.
    for (const char* name : {"BallLFoot", "BallRFoot", "BallHead"}) {
        const auto turns = chainedTurns(sc.objects.at(name));
        ASSERT_EQ(turns.size(), 101u);
        for (size_t i = 0; i < 9; i++) EXPECT_NEAR(turns[99][i], turns[20][i], 2e-3) << name;
        for (const sMat3& m : turns) EXPECT_GT(m[0] + m[4] + m[8], 1.0 + 2 * std::cos(0.5)) << name << " turns too far";
    }
    // The feet really walk.
    const auto& l = sc.objects.at("BallLFoot").pos;
    double reach = 0;
    for (int f = 20; f <= 99; f++) reach = std::max(reach, std::fabs(l[size_t(f)].v[1] - l[20].v[1]));
    EXPECT_GT(reach, 10.0);
}

TEST(ContentModels, FlameAndTreesAreComplete) {
    SKIP_WITHOUT_CONTENT();
    const sScene flame = load("flame.ASE");
    EXPECT_EQ(flame.last, 100);
    expectConsistent(flame, "BallFlame", true);
    // The flash stands in front of the pistol's muzzle.
    const sScene ball = load("ball.ASE");
    double muzzle = 0;
    for (const auto& v : ball.objects.at("BallPistol").vertices) muzzle = std::min(muzzle, v[1]);
    double flameY = 0;
    for (const auto& v : flame.objects.at("BallFlame").vertices) flameY += v[1];
    EXPECT_LT(flameY / double(flame.objects.at("BallFlame").vertices.size()), muzzle);

    const sScene trees = load("trees.ASE");
    EXPECT_EQ(trees.last, 100);
    for (int k = 1; k <= 3; k++) {
        const std::string stem = "Tree" + std::to_string(k) + "Stem", top = "Tree" + std::to_string(k) + "Top";
        expectConsistent(trees, stem, false);
        expectConsistent(trees, top, false);
        if (!trees.objects.count(stem) || !trees.objects.count(top)) continue;
        const sObject& s = trees.objects.at(stem);
        EXPECT_LT(s.numFaces + trees.objects.at(top).numFaces, 300) << "tree " << k;
        // The pivot is at the foot of the stem.
        double lowest = 1e9;
        for (const auto& v : s.vertices) lowest = std::min(lowest, v[2]);
        EXPECT_NEAR(lowest, s.pivot[2], 1.0) << stem;
        bool under = false;
        for (const auto& v : s.vertices) under |= std::hypot(v[0] - s.pivot[0], v[1] - s.pivot[1]) < 15.0;
        EXPECT_TRUE(under) << stem << " does not stand on its pivot";
        EXPECT_TRUE(s.pos.empty()) << stem << " should be static";
    }
}
