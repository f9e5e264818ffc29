// ASE files: the tokenizer, meshes built from ASE objects (geometry, optional parts, animation, faults), the
// binary mesh file, real ASE files read fresh or from the kept copy, and the mesh container.
#include "assets/cASELoader.h"
#include "assets/cMesh.h"
#include "assets/cMeshCont.h"

#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

using namespace assetsTest;
using namespace aseText;

namespace {

// The tokenizer tests open a loader on a text; the mesh tests load a mesh from one.
class AseText : public ::testing::Test {
protected:
    cASELoader& on(const std::string& text) {
        writeFile(dir.file("t.ase"), text);
        EXPECT_TRUE(ase.openFile(dir.file("t.ase").c_str()));
        return ase;
    }
    bool load(const std::string& text, const char* name = nullptr, unsigned char index = 0) {
        writeFile(dir.file("m.ase"), text);
        return mesh.loadFromASE(dir.file("m.ase").c_str(), index, name);
    }
    // Box: two faces, node at (0.5, 0.25, 2), saved to box.bin; answers the file's bytes.
    std::string saveBox(const std::string& optional) {
        EXPECT_TRUE(load(scene() + square("Box", optional, {50, 25, 200}), "Box"));
        EXPECT_TRUE(mesh.saveToBinFile(dir.file("box.bin").c_str()));
        return fileBytes(dir.file("box.bin"));
    }
    bool loadBin(const std::string& bytes) {
        writeFile(dir.file("back.bin"), bytes);
        return back.loadFromBinFile(dir.file("back.bin").c_str());
    }
    ScratchDir dir;
    cASELoader ase;
    cMesh mesh, back;
};
using MeshFile = AseText;

void expectNear(V3 a, V3 b) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], 1e-4) << "component " << i;
}

// The second face's nine numbers.
std::vector<float> face1(const float* p) { return {p + 9, p + 18}; }

const std::string texAndNormals =
    texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0.5f}, {0, 1, 0}}, {{0, 1, 2}, {3, 2, 0}}) +
    normalParts({{{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}}, {{{0, 0, -1}, {0, -1, 0}, {-1, 0, 0}}}});

std::vector<float> floats(const float* p, size_t n) { return p ? std::vector<float>(p, p + n) : std::vector<float>(); }

// Everything the game draws from a mesh; the frames only when asked.
std::vector<std::vector<float>> drawn(const cMesh& m, bool withFrames = true) {
    const size_t corners = static_cast<size_t>(m.getNumFaces()) * 9;
    std::vector<std::vector<float>> parts = {{float(m.getNumFaces()), m.getPos().x, m.getPos().y, m.getPos().z},
                                             floats(m.getFaces(), corners),
                                             floats(m.getNormals(), m.hasNormals() ? corners : 0),
                                             floats(m.getTexCoords(), m.hasTexCoords() ? corners : 0)};
    for (int f = 0; withFrames && f < m.getNumFrames(); ++f) parts.push_back(floats(m.getFrames()[f].matrix, 16));
    return parts;
}

} // namespace

TEST_F(AseText, BuildsCornersTextureCoordinatesAndNormalsAndFindsObjectsByIndex) {
    ASSERT_TRUE(load(scene() + square("Other") + square("Box", texAndNormals, {100, 200, 300}), "Box"));
    ASSERT_EQ(std::pair(mesh.getNumVertices(), mesh.getNumFaces()), std::pair(4, 2));
    EXPECT_EQ(mesh.getPos().z, 3.0f);
    // Face 1 is vertices 0, 2, 3, scaled to game units; texture face 1 is tverts 3, 2, 0, not scaled.
    EXPECT_EQ(face1(mesh.getFaces()), (std::vector<float>{0, 0, 0, 1, 1, 0, 0, 1, 0}));
    ASSERT_TRUE(mesh.hasTexCoords() && mesh.hasNormals());
    EXPECT_EQ(face1(mesh.getTexCoords()), (std::vector<float>{0, 1, 0, 1, 1, 0.5f, 0, 0, 0}));
    EXPECT_EQ(face1(mesh.getNormals()), (std::vector<float>{0, 0, -1, 0, -1, 0, -1, 0, 0}));
    EXPECT_EQ(std::pair(mesh.getNumFrames(), mesh.pickFrame(5)),
              std::pair(0, -1));  // static: no matrix whatever the frame
    // Objects by index: a long name is cut, and a missing object is no mesh.
    std::string text = scene() + square("First") + square(std::string(80, 'L'));
    ASSERT_TRUE(load(text, nullptr, 1));
    EXPECT_EQ(std::string(mesh.getName()), std::string(35, 'L'));
    EXPECT_FALSE(mesh.hasTexCoords() || mesh.hasNormals());
    EXPECT_FALSE(load(text, nullptr, 2));
    EXPECT_FALSE(load(text, "Third"));
}

TEST_F(AseText, EveryFrameTakesTheFirstKeyAtOrAfterItAndPickedFramesStayInside) {
    const std::vector<PosKey> sparse = {{0, {100, 0, 0}}, {160 * 10, {200, 0, 0}}, {160 * 50, {300, 0, 0}}};
    // A square that moves by the keys.
    auto moving = [](const std::string& name, const std::vector<PosKey>& keys) {
        return geomObject(name, nodeTm(name) + meshBlock(squareVerts(), squareFaces()) + animation(name, keys, {}));
    };
    ASSERT_TRUE(load(scene() + moving("Sparse", sparse)) && mesh.getNumFrames() == 101) << mesh.getNumFrames();
    const sAnimation* f = mesh.getFrames();
    for (auto [frame, x] : {std::pair{0, 1}, {1, 2}, {10, 2}, {11, 3}, {100, 3}})
        EXPECT_FLOAT_EQ(f[frame].pos[0], x) << frame;
    EXPECT_EQ(std::pair(mesh.getLoopFirst(), mesh.getLoopLast()), std::pair(20, 99));
    // The self-running loop and requested frames stay inside the frames.
    auto animated = [&](int last) { return scene(0, last) + moving("A", {{0, {0, 0, 0}}}); };
    ASSERT_TRUE(load(animated(100)));
    for (int call = 0; call < 100; ++call) ASSERT_EQ(mesh.pickFrame(-1), call);
    EXPECT_EQ(mesh.pickFrame(-1), 20);  // the 101st call
    EXPECT_EQ(mesh.pickFrame(100), 100);
    EXPECT_EQ(mesh.pickFrame(101), 100);

    // 30 frames: the loop ends at the last one; 5: fewer frames than the loop's start.
    for (auto [last, loopFirst] : {std::pair{29, 20}, {4, 4}}) {
        ASSERT_TRUE(load(animated(last)));
        EXPECT_EQ(std::pair(mesh.getLoopFirst(), mesh.getLoopLast()), std::pair(loopFirst, last));
        for (int call = 0; call < 500; ++call) ASSERT_LE(mesh.pickFrame(-1), last);
    }
}

TEST_F(AseText, BakedMatricesChainRotationKeysAndUndoTheNodeTransform) {
    // Node at (1, 2, 0) turned 90 degrees about z; frame 0 turns 30 degrees, frame 1 another 15.
    std::string body = nodeTm("Spin", {100, 200, 0}, {0, 0, 1}, float(M_PI / 2)) +
                       meshBlock(squareVerts(), squareFaces()) +
                       animation("Spin", {{0, {500, 0, 0}}, {160, {600, 700, 0}}},
                                 {{0, {0, 0, 1}, static_cast<float>(M_PI / 6)},
                                  {160, {0, 0, 1}, static_cast<float>(M_PI / 12)},
                                  {320, {0, 0, 0}, 1.0f}});
    ASSERT_TRUE(load(scene(0, 2) + geomObject("Spin", body)) && mesh.getNumFrames() == 3) << mesh.getNumFrames();
    EXPECT_FLOAT_EQ(mesh.getRotAngle(), 90.0f);
    // M(i) v = pos(i) + Rz(90 - sum of the key angles up to i) (v - node pos). (3, 5, 7) less the node
    // is (2, 3, 7): turned 60 degrees its x, y are (-1.598076, 3.232051), turned 45 (-0.707107, 3.535534).
    const V3 v{3, 5, 7};
    const sAnimation* f = mesh.getFrames();
    expectNear(applyMatrix(f[0].matrix, v.data()), {5 - 1.598076f, 3.232051f, 7});
    // A key with no axis (frame 2) adds no rotation.
    for (int i : {1, 2}) expectNear(applyMatrix(f[i].matrix, v.data()), {6 - 0.707107f, 7 + 3.535534f, 7});
}

TEST_F(AseText, TrustedCountsAreRefusedAndAnObjectNeverTakesEntriesFromItsNeighbours) {
    auto withMesh = [](const std::string& meshText) { return scene() + geomObject("M", nodeTm("M") + meshText); };
    // A corner past the vertex list, a negative one, absurd and negative counts, a scene of a
    // billion frames, and ticks of no length.
    for (const std::string& text :
         {withMesh(meshBlock(squareVerts(), {{0, 1, 4}})), withMesh(meshBlock(squareVerts(), {{0, -1, 2}})),
          withMesh(meshBlock(squareVerts(), squareFaces(), "", 2000000000)),
          withMesh(meshBlock(squareVerts(), squareFaces(), "", -4)),
          withMesh(meshBlock(squareVerts(), squareFaces(), "", unset, 1000000000)), scene(0, 1000000000) + square("M"),
          scene(0, 100, 0) + square("M"),
          // five vertices declared, four listed: the next object's must not fill the gap
          withMesh(meshBlock(squareVerts(), squareFaces(), "", 5)) + square("Next")}) {
        EXPECT_FALSE(load(text)) << text;
        EXPECT_TRUE(mesh.isEmpty());
    }
    // A short file claiming a thousand faces is refused by its size, before any memory is taken.
    EXPECT_FALSE(load(withMesh(meshBlock(squareVerts(), squareFaces(), "", unset, 1000))));
    EXPECT_EQ(mesh.getLoadError(), "the vertex or face count is negative or more than the file can hold");
    // A texture face past the texture vertices drops only the texture coordinates.
    ASSERT_TRUE(load(scene() + square("M", texParts({{0, 0, 0}}, {{0, 0, 0}, {0, 0, 1}}))));
    EXPECT_EQ(std::pair(mesh.hasTexCoords(), mesh.getNumFaces()), std::pair(false, 2));
    // An animation block without tracks, or the animation of a helper object that follows,
    // must not animate a static mesh.
    std::string helper = "*HELPEROBJECT {\n\t*NODE_NAME \"Dummy\"\n" + nodeTm("Dummy") +
                         animation("Dummy", {{0, {100, 0, 0}}, {1600, {900, 0, 0}}}, {}) + "}\n";
    ASSERT_TRUE(load(scene() + square("Still", animation("Still", {}, {})) + helper));
    EXPECT_EQ(mesh.getNumFrames(), 0);
    // Texture count without a texture face list: the normals behind it are still read.
    std::string noFaceList = "\t\t*MESH_NUMTVERTEX 1\n\t\t*MESH_TVERTLIST {\n\t\t\t*MESH_TVERT 0\t0\t0\t0\n\t\t}\n";
    ASSERT_TRUE(load(scene() + square("Half", noFaceList + normalParts({{}, {}})) +
                     square("Next", texParts({{0, 0, 0}}, {{0, 0, 0}, {0, 0, 0}}))));
    EXPECT_EQ(std::pair(mesh.hasTexCoords(), mesh.hasNormals()), std::pair(false, true));
}

TEST_F(AseText, ReadsVertexFaceAndMatrixLinesSkippingUnknownNodes) {
    on("*MATERIAL_REF 0\n\t*MESH_VERTEX\t12\t1.0\t2.0\t3.0\n"
       "*MESH_FACE    3:    A:    0 B:    2 C:    1 AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n"
       "*MESH_FACE 4 A: 5 B: 6 C: 7\n"
       "*MESH_FACE 0: A: 0 X: 1 C: 2\n"
       "*TM_ROW0 1 2 3\n*TM_ROW1 4 5 6\n*TM_ROW2 7 8 9\n*TM_ROW3 10 20 30\n");
    float v[3] = {};
    EXPECT_TRUE(ase.getVertex(cASELoader::MESH_VERTEX, v) && v[0] + 10 * v[1] + 100 * v[2] == 321.0f);
    int a = 0, b = 0, c = 0;
    EXPECT_TRUE(ase.getFaceInd(a, b, c) && a * 100 + b * 10 + c == 21) << a << b << c;
    // Another exporter's face line: no colon behind the face number.
    EXPECT_TRUE(ase.getFaceInd(a, b, c) && a * 100 + b * 10 + c == 567) << a << b << c;
    EXPECT_FALSE(ase.getFaceInd(a, b, c));  // wrong corner letters
    // The node matrix takes the rows as columns and negates the translation.
    float m[16];
    ASSERT_TRUE(ase.getTMatrix(m));
    EXPECT_EQ(std::vector<float>(m, m + 16),
              (std::vector<float>{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, -10, -20, -30, 1}));
    EXPECT_EQ(ase.getNode(), cASELoader::endOfFile);
}

TEST_F(AseText, FindObjectFindsByExactNameAndSearchesStopAtTheEndOfTheObject) {
    on(scene() + square("Tree1Stem") + square("Tree1Top") + square("Tree2Stem") + square("Tree2Top"));
    while (ase.getNode() != cASELoader::endOfFile) {
    }
    ASSERT_TRUE(ase.findObject("Tree2Top"));
    char name[64];
    ASSERT_TRUE(ase.searchNode(cASELoader::NODE_NAME) && ase.getString(name, sizeof name));  // the one inside NODE_TM
    EXPECT_STREQ(name, "Tree2Top");
    EXPECT_FALSE(ase.findObject("tree2top") || ase.findObject("Tree2"));
    EXPECT_TRUE(ase.findObject("Tree1Stem"));
    // Braces and asterisks inside strings are not structure.
    on(geomObject("A", "\t*NODE_TM {\n\t\t*NODE_NAME \"}*MESH_VERTEX 0 9 9 9\"\n\t}\n") + square("B"));
    ASSERT_TRUE(ase.searchNode(cASELoader::GEOMOBJECT));
    ase.beginObject();
    float v[3];
    EXPECT_FALSE(ase.getVertex(cASELoader::MESH_VERTEX, v));
    EXPECT_EQ(ase.getNode(), cASELoader::endOfObject);
    EXPECT_TRUE(ase.opened());
    // Once released, reading goes on with the next object.
    ase.endObject();
    EXPECT_EQ(ase.getNode(), cASELoader::GEOMOBJECT);
    // A brace before a name's string is structure: this one closes the object.
    on("*GEOMOBJECT {\n*NODE_NAME }\"x\"\n");
    ase.searchNode(cASELoader::GEOMOBJECT);
    ase.beginObject();
    EXPECT_FALSE(ase.searchNode(cASELoader::NODE_NAME) && ase.getString(name, sizeof name));
}

TEST_F(AseText, OverlongWordsCannotOverflowAndNumbersReadAsAStreamReadsThem) {
    const std::string longWord(5000, 'W'), longName(5000, 'n');
    on("*" + longWord + " 1\n*NODE_NAME \"" + longName + "\"\n*NODE_NAME \"open\n*NODE_NAME \"x\"\n");
    char name[36];
    ASSERT_TRUE(ase.getNode() == cASELoader::NODE_NAME && ase.getString(name, sizeof name));
    EXPECT_EQ(std::string(name), std::string(35, 'n'));
    // A string that does not close on its line is refused.
    EXPECT_FALSE(ase.getNode() != cASELoader::NODE_NAME || ase.getString(name, sizeof name));
    ASSERT_TRUE(ase.getNode() == cASELoader::NODE_NAME && ase.getString(name, sizeof name));
    EXPECT_STREQ(name, "x");
    on("*MESH_VERTEX +7 -2.5 .25 1e2 1e-40\n");
    int i, a, b, c;
    float x, y, z, tiny;
    ASSERT_TRUE(ase.searchNode(cASELoader::MESH_VERTEX) && ase.getInt(i) && ase.getFloat(x) && ase.getFloat(y) &&
                ase.getFloat(z) && ase.getFloat(tiny));
    EXPECT_EQ(i * 1000 + x * 100 + y * 4 + z, 7000 - 250 + 1 + 100);
    EXPECT_TRUE(tiny > 0.0f && tiny < 1e-30f);  // too small for a normal float, yet no failure
    // Words that some parsers take for numbers, and numbers out of range.
    for (const char* bad : {"inf", "nan", "1e99", "+-1", "-", ".", "x1"}) {
        on(std::string("*TM_POS ") + bad + " 0 0\n");
        float v[3];
        EXPECT_FALSE(ase.getPosition(v)) << bad;
    }
    // Whole numbers up to the largest int; one more is refused.
    on("*MESH_NUMFACES -12 0042 2147483647 2147483648\n");
    ASSERT_TRUE(ase.searchNode(cASELoader::MESH_NUMFACES) && ase.getInt(a) && ase.getInt(b) && ase.getInt(c));
    EXPECT_EQ(std::vector<int>({a, b, c}), std::vector<int>({-12, 42, 2147483647}));
    EXPECT_FALSE(ase.getInt(a));
}

TEST_F(AseText, MissingNodesFilesAndFoldersLeaveTheStreamFailedUntilAMarkIsRestored) {
    on("*SCENE {\n\t*SCENE_LASTFRAME 100\n}\n");
    EXPECT_FALSE(ase.searchNode(cASELoader::SCENE_FIRSTFRAME));
    EXPECT_FALSE(ase.opened());
    int n;
    EXPECT_FALSE(ase.getInt(n));
    for (const std::string& path : {dir.file("none.ase"), dir.path.string()}) {
        EXPECT_FALSE(ase.openFile(path.c_str())) << path;
        EXPECT_EQ(ase.getNode(), cASELoader::endOfFile);
    }
    on("");
    EXPECT_EQ(ase.getNode(), cASELoader::endOfFile);
    // A failed search with Windows line ends: a mark taken before it restores the reading place.
    on("*MESH\r\n*MESH_NUMVERTEX\t3\r\n*MESH_NUMFACES 1\r\n");
    EXPECT_EQ(ase.getNode(), cASELoader::MESH);
    cASELoader::sMark m = ase.mark();
    EXPECT_FALSE(ase.searchNode(cASELoader::TM_POS));
    ASSERT_TRUE(ase.restore(m) && ase.searchNode(cASELoader::MESH_NUMVERTEX) && ase.getInt(n));
    EXPECT_EQ(n, 3);
}

TEST_F(MeshFile, HasTheExactSizeReadsBackWithoutAnimationAndRefusesBrokenFiles) {
    const std::string normals =
        saveBox(normalParts({{{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}}, {{{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}}}) +
                animation("Box", {{0, {1, 2, 3}}}, {}));
    ASSERT_EQ(normals.size(), 4u + 12 + 1 + 1 + 4 + 72 + 72);
    EXPECT_EQ(normals.substr(0, 4), std::string("Box\0", 4));
    EXPECT_EQ(normals.substr(16, 2), std::string("\1\0", 2));  // normals, no texture coordinates
    ASSERT_TRUE(loadBin(normals));
    EXPECT_STREQ(back.getName(), "Box");
    EXPECT_EQ(drawn(back), drawn(mesh, false));  // no frames either

    const std::string tex = saveBox(texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}, {2, 1, 0}}));
    EXPECT_EQ(tex.size(), 4u + 18 + 72 + 72);
    ASSERT_TRUE(loadBin(tex));
    EXPECT_EQ(drawn(back), drawn(mesh));

    EXPECT_FALSE(cMesh().saveToBinFile(dir.file("empty.bin").c_str()) ||
                 mesh.saveToBinFile(dir.file("no/such/x.bin").c_str()));
    // Short or inconsistent files are refused and leave the mesh empty.
    const std::string good = saveBox(normalParts({{}, {}}));
    // Files cut inside the name, the fixed part, the faces and the normals, and one with a byte too many.
    for (size_t len : {0, 2, 4, 10, 17, 21, 22, 60, 94, 130, 165})
        ASSERT_TRUE(!loadBin(good.substr(0, len)) && back.isEmpty()) << len;
    EXPECT_FALSE(loadBin(good + "x"));
    const std::pair<size_t, std::string> patches[] = {
        {16, std::string("\x02", 1)},           // a flag that is neither 0 nor 1
        {18, std::string("\xff\xff\xff\x7f", 4)},  // a count far beyond the file
        {18, std::string("\xff\xff\xff\xff", 4)},  // a negative count
        {18, std::string("\x01\x00\x00\x00", 4)},  // fewer faces than the file holds
        {0, std::string(200, 'N')},               // a name with no terminator within 36 bytes
    };
    for (const auto& [at, with] : patches)
        EXPECT_FALSE(loadBin(std::string(good).replace(at, with.size(), with))) << at;
}

// The real-world files have lain untouched long enough to be kept in memory; their copies are brand new and are not.
TEST(MeshRealFiles, LoadAsFromAFreshCopyOrAreRefused) {
    std::filesystem::path root = ORBIX_TESTDATA_DIR "/ase";
    if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "no test data at " << root;
    ScratchDir dir;
    const std::string copy = dir.file("copy.ase");
    int files = 0, loaded = 0;
    std::map<std::string, int> loadedPerFile;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string ext = entry.path().extension().string(), path = entry.path().string();
        if (ext != ".ase" && ext != ".ASE") continue;
        ++files;
        std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
        for (size_t i = 0; i <= 12; ++i) {
            cMesh m, fresh;
            const bool ok = m.loadFromASE(path.c_str(), static_cast<unsigned char>(i), nullptr);
            ASSERT_EQ(fresh.loadFromASE(copy.c_str(), static_cast<unsigned char>(i), nullptr), ok) << path << " " << i;
            if (!ok) continue;
            ++loaded;
            ++loadedPerFile[entry.path().filename().string()];
            EXPECT_EQ(drawn(m), drawn(fresh)) << path << " object " << i;
            for (int f = 0; f < m.getNumFrames(); ++f)
                for (float v : m.getFrames()[f].matrix) ASSERT_TRUE(std::isfinite(v)) << path << " frame " << f;
        }
    }
    cASELoader::forgetKeptFile();
    EXPECT_EQ(files, 12);
    // Files that hold every node an object needs load whole.
    for (auto [name, objects] : {std::pair{"ThreeCubesGreen.ASE", 3}, {"single_triangle.ase", 1}, {"testsphere.ase", 1},
                                 {"RotatingCube.ASE", 1}})
        EXPECT_EQ(loadedPerFile[name], objects) << name;
    EXPECT_GT(loaded, 20);
    // A long animation track is baked into every frame, and the cube turns.
    cMesh cube;
    ASSERT_TRUE(cube.loadFromASE((root / "assimp/RotatingCube.ASE").c_str(), 0, nullptr) && cube.getNumFrames() == 301);
    EXPECT_NE(std::memcmp(cube.getFrames()[0].matrix, cube.getFrames()[150].matrix, 64), 0);
}

TEST(MeshRealFiles, AKeptFileRewrittenInPlaceIsReadAgain) {
    ScratchDir dir;
    const std::string path = dir.file("m.ase");
    cASELoader ase;
    writeFile(path, scene() + "*GEOMOBJECT {\n*NODE_NAME \"aa\"\n}\n");
    ASSERT_TRUE(ase.openFile(path.c_str()) && ase.findObject("aa"));
    // Same size, same place, at once: only the bytes differ.
    writeFile(path, scene() + "*GEOMOBJECT {\n*NODE_NAME \"bb\"\n}\n");
    EXPECT_TRUE(ase.openFile(path.c_str()) && ase.findObject("bb"));
}

TEST(MeshCont, LoadsEveryModelAndAMissingLevelFileFailsOnlyItsParts) {
    const char* const objects[] = {"BallHead",  "BallLeftHand", "BallRightHand", "BallPistol",
                                   "BallLFoot", "BallRFoot",    "BallBazookaOn", "BallBazookaOff"};
    const char* const lodFiles[] = {"models/ball.ASE", "models/ball_L2.ASE", "models/ball_L4.ASE",
                                    "models/ball_L8.ASE"};
    ScratchDir dir;
    // Each level's parts stand at x = level, so the test can tell which file a mesh came from;
    // the last level file is missing, and only the head is animated.
    for (int lod = 0; lod < 3; ++lod) {
        std::string text = scene();
        for (const char* object : objects)
            text += square(object, std::string(object) == "BallHead" ? animation(object, {{0, {0, 0, 0}}}, {}) : "",
                           {100.0f * lod, 0, 0});
        writeFile(dir.file(lodFiles[lod]), text);
    }
    writeFile(dir.file("models/flame.ASE"), scene() + square("BallFlame"));
    std::string trees = scene();
    for (int k = 1; k <= 3; ++k)
        trees += square("Tree" + std::to_string(k) + "Stem") + square("Tree" + std::to_string(k) + "Top");
    writeFile(dir.file("models/trees.ASE"), trees);

    WorkingDir cwd(dir.path);
    cMeshCont cont;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(cont.load());
    // One progress line per part: only the eight of the missing file say FAILED.
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Loading mesh from \"models/ball_L8.ASE\" .. \n       BallHead .. FAILED\n"), std::string::npos)
        << log;
    const std::regex failed("FAILED");
    EXPECT_EQ(std::distance(std::sregex_iterator(log.begin(), log.end(), failed), std::sregex_iterator()), 8) << log;
    // The same object name in two level files gives meshes from each file.
    for (int lod = 0; lod < 3; ++lod)
        EXPECT_FLOAT_EQ(cont.ball[cMeshCont::rightFoot][lod].getPos().x, static_cast<float>(lod));
    EXPECT_TRUE(cont.ball[cMeshCont::head][3].isEmpty());
    // Only the animated head has the walk cycle.
    EXPECT_EQ(
        std::pair(cont.ball[cMeshCont::head][0].getNumFrames(), cont.ball[cMeshCont::rightFoot][0].getNumFrames()),
        std::pair(101, 0));
    EXPECT_STREQ(cont.trees[2][1].getName(), "Tree3Top");
    cont.dispose();  // the destructor disposes once more
    EXPECT_TRUE(cont.ball[cMeshCont::head][0].isEmpty() && cont.flame.isEmpty());
}
