// Meshes from ASE objects: geometry, optional parts, animation keys and baking, frame choice, faults.
#include "assets/cMesh.h"

#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace assetsTest;
using namespace aseText;

namespace {

class Mesh : public ::testing::Test {
protected:
    bool load(const std::string& text, const char* name = nullptr, unsigned char index = 0)
    {
        writeFile(dir.file("m.ase"), text);
        return mesh.loadFromASE(dir.file("m.ase").c_str(), index, name);
    }
    ScratchDir dir;
    cMesh mesh;
};

// Applies a column-major matrix to a point.
V3 apply(const float* m, V3 p)
{
    V3 r;
    for (int row = 0; row < 3; ++row)
        r[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
    return r;
}

// p rotated about +z by degrees.
V3 turnZ(V3 p, double degrees)
{
    double a = degrees * M_PI / 180;
    return {static_cast<float>(p[0] * std::cos(a) - p[1] * std::sin(a)),
            static_cast<float>(p[0] * std::sin(a) + p[1] * std::cos(a)), p[2]};
}

void expectNear(V3 a, V3 b)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(a[i], b[i], 1e-4) << "component " << i;
}

const std::string texAndNormals =
    texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0.5f}, {0, 1, 0}}, {{0, 1, 2}, {3, 2, 0}}) +
    normalParts({{{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}}, {{{0, 0, -1}, {0, -1, 0}, {-1, 0, 0}}}});

} // namespace

TEST_F(Mesh, BuildsCornersTextureCoordinatesAndNormalsAndFindsObjectsByIndex)
{
    ASSERT_TRUE(load(scene() + square("Other") + square("Box", texAndNormals, {100, 200, 300}), "Box"));
    EXPECT_STREQ(mesh.getName(), "Box");
    ASSERT_EQ(mesh.getNumVertices(), 4);
    ASSERT_EQ(mesh.getNumFaces(), 2);
    EXPECT_EQ(mesh.getPos().z, 3.0f);
    // Face 1 is vertices 0, 2, 3, scaled to game units.
    const float corners[9] = {0, 0, 0, 1, 1, 0, 0, 1, 0};
    for (int i = 0; i < 9; ++i)
        EXPECT_FLOAT_EQ(mesh.getFaces()[9 + i], corners[i]) << i;
    ASSERT_TRUE(mesh.hasTexCoords());
    const float uvw[9] = {0, 1, 0, 1, 1, 0.5f, 0, 0, 0};  // texture face 1 is tverts 3, 2, 0, not scaled
    for (int i = 0; i < 9; ++i)
        EXPECT_FLOAT_EQ(mesh.getTexCoords()[9 + i], uvw[i]) << i;
    ASSERT_TRUE(mesh.hasNormals());
    EXPECT_EQ(mesh.getNormals()[9 + 2], -1.0f);
    EXPECT_EQ(mesh.getNormals()[9 + 3 + 1], -1.0f);
    EXPECT_EQ(mesh.getNumFrames(), 0);
    EXPECT_EQ(mesh.pickFrame(5), -1);  // static: no matrix whatever the frame
    ::testing::internal::CaptureStdout();
    mesh.printInfo();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "-----------------------\n name: Box\n vertices: 4\n faces: 2\n NORMALS TEXTURE\n");
    // Objects by index: a long name is cut, and a missing object is no mesh.
    std::string text = scene() + square("First") + square(std::string(80, 'L'));
    ASSERT_TRUE(load(text, nullptr, 1));
    EXPECT_EQ(std::string(mesh.getName()), std::string(35, 'L'));
    EXPECT_FALSE(mesh.hasTexCoords());
    EXPECT_FALSE(mesh.hasNormals());
    EXPECT_FALSE(load(text, nullptr, 2));
    EXPECT_FALSE(load(text, "Third"));
    EXPECT_FALSE(mesh.loadFromASE(dir.file("absent.ase").c_str(), 0, nullptr));
    EXPECT_TRUE(mesh.isEmpty());
}

TEST_F(Mesh, EveryFrameTakesTheFirstKeyAtOrAfterItAndPickedFramesStayInside)
{
    const std::vector<PosKey> sparse = {{0, {100, 0, 0}}, {160 * 10, {200, 0, 0}}, {160 * 50, {300, 0, 0}}};
    // A square that moves by the keys.
    auto moving = [](const std::string& name, const std::vector<PosKey>& keys) {
        return geomObject(name, nodeTm(name) + meshBlock(squareVerts(), squareFaces()) + animation(name, keys, {}));
    };
    ASSERT_TRUE(load(scene() + moving("Sparse", sparse)));
    ASSERT_EQ(mesh.getNumFrames(), 101);
    const sAnimation* f = mesh.getFrames();
    for (auto [frame, x] : {std::pair{0, 1}, {1, 2}, {10, 2}, {11, 3}, {100, 3}})
        EXPECT_FLOAT_EQ(f[frame].pos[0], x) << frame;
    EXPECT_EQ(mesh.getLoopFirst(), 20);
    EXPECT_EQ(mesh.getLoopLast(), 99);
    // The self-running loop and requested frames stay inside the frames.
    auto animated = [&](int last) { return scene(0, last) + moving("A", {{0, {0, 0, 0}}}); };
    ASSERT_TRUE(load(animated(100)));
    ASSERT_EQ(mesh.getNumFrames(), 101);
    for (int call = 0; call < 100; ++call)
        ASSERT_EQ(mesh.pickFrame(-1), call);
    EXPECT_EQ(mesh.pickFrame(-1), 20);  // the 101st call
    EXPECT_EQ(mesh.pickFrame(100), 100);
    EXPECT_EQ(mesh.pickFrame(101), 100);
    EXPECT_EQ(mesh.pickFrame(1 << 30), 100);

    ASSERT_TRUE(load(animated(29)));  // 30 frames: the loop ends at the last one
    EXPECT_EQ(mesh.getLoopLast(), 29);
    for (int call = 0; call < 500; ++call)
        ASSERT_LT(mesh.pickFrame(-1), 30);
    ASSERT_TRUE(load(animated(4)));  // fewer frames than the loop's start
    EXPECT_EQ(mesh.getLoopFirst(), 4);
    for (int call = 0; call < 10; ++call)
        ASSERT_LT(mesh.pickFrame(-1), 5);
}

TEST_F(Mesh, BakedMatricesChainRotationKeysAndUndoTheNodeTransform)
{
    const float half = static_cast<float>(M_PI / 2);
    // Node at (1, 2, 0) turned 90 degrees about z; frame 0 turns 30 degrees, frame 1 another 15.
    std::string body = nodeTm("Spin", {100, 200, 0}, {0, 0, 1}, half) + meshBlock(squareVerts(), squareFaces()) +
                       animation("Spin", {{0, {500, 0, 0}}, {160, {600, 700, 0}}},
                                 {{0, {0, 0, 1}, static_cast<float>(M_PI / 6)},
                                  {160, {0, 0, 1}, static_cast<float>(M_PI / 12)},
                                  {320, {0, 0, 0}, 1.0f}});
    ASSERT_TRUE(load(scene(0, 2) + geomObject("Spin", body)));
    ASSERT_EQ(mesh.getNumFrames(), 3);
    EXPECT_FLOAT_EQ(mesh.getRotAngle(), 90.0f);
    // M(i) v = pos(i) + Rz(90 - sum of the key angles up to i) (v - node pos).
    V3 v{3, 5, 7};
    V3 rel{v[0] - 1, v[1] - 2, v[2]};
    const sAnimation* f = mesh.getFrames();
    V3 t0 = turnZ(rel, 90 - 30), t1 = turnZ(rel, 90 - 45);
    expectNear(apply(f[0].matrix, v), {5 + t0[0], t0[1], t0[2]});
    expectNear(apply(f[1].matrix, v), {6 + t1[0], 7 + t1[1], t1[2]});
    // A key with no axis adds no rotation.
    expectNear(apply(f[2].matrix, v), {6 + t1[0], 7 + t1[1], t1[2]});
}

TEST_F(Mesh, TrustedCountsAreRefusedAndAnObjectNeverTakesEntriesFromItsNeighbours)
{
    auto withMesh = [](const std::string& meshText) { return scene() + geomObject("M", nodeTm("M") + meshText); };
    // A corner past the vertex list, a negative one, absurd and negative counts, a scene of a
    // billion frames, and ticks of no length.
    for (const std::string& text : {withMesh(meshBlock(squareVerts(), {{0, 1, 4}})), withMesh(meshBlock(squareVerts(), {{0, -1, 2}})),
                                    withMesh(meshBlock(squareVerts(), squareFaces(), "", 2000000000)),
                                    withMesh(meshBlock(squareVerts(), squareFaces(), "", -4)),
                                    withMesh(meshBlock(squareVerts(), squareFaces(), "", unset, 1000000000)),
                                    scene(0, 1000000000) + square("M"), scene(0, 100, 0) + square("M")}) {
        EXPECT_FALSE(load(text)) << text;
        EXPECT_TRUE(mesh.isEmpty());
    }
    // A short file claiming a thousand faces is refused by its size, before any memory is taken.
    EXPECT_FALSE(load(withMesh(meshBlock(squareVerts(), squareFaces(), "", unset, 1000))));
    EXPECT_EQ(mesh.getLoadError(), "the vertex or face count is negative or more than the file can hold");
    // A texture face past the texture vertices drops only the texture coordinates.
    ASSERT_TRUE(load(scene() + square("M", texParts({{0, 0, 0}}, {{0, 0, 0}, {0, 0, 1}}))));
    EXPECT_FALSE(mesh.hasTexCoords());
    EXPECT_EQ(mesh.getNumFaces(), 2);
    // Declares five vertices but lists four; the next object's vertices must not fill the gap.
    std::string shortList = geomObject("Short", nodeTm("Short") + meshBlock(squareVerts(), squareFaces(), "", 5));
    EXPECT_FALSE(load(scene() + shortList + square("Next")));
    // Animation of a helper object that follows must not animate a static mesh.
    std::string helper = "*HELPEROBJECT {\n\t*NODE_NAME \"Dummy\"\n" + nodeTm("Dummy") +
                         animation("Dummy", {{0, {100, 0, 0}}, {1600, {900, 0, 0}}}, {}) + "}\n";
    ASSERT_TRUE(load(scene() + square("Still") + helper));
    EXPECT_EQ(mesh.getNumFrames(), 0);
    // Texture count without a texture face list: the normals behind it are still read.
    std::string noFaceList = "\t\t*MESH_NUMTVERTEX 1\n\t\t*MESH_TVERTLIST {\n\t\t\t*MESH_TVERT 0\t0\t0\t0\n\t\t}\n";
    ASSERT_TRUE(load(scene() + square("Half", noFaceList + normalParts({{}, {}})) +
                     square("Next", texParts({{0, 0, 0}}, {{0, 0, 0}, {0, 0, 0}}))));
    EXPECT_FALSE(mesh.hasTexCoords());
    EXPECT_TRUE(mesh.hasNormals());
}
