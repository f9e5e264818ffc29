// The binary mesh file, real ASE files read fresh or from the kept copy, and the mesh container.
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

using namespace assetsTest;
using namespace aseText;

namespace {

class MeshFile : public ::testing::Test {
protected:
    // Box: two faces, node at (0.5, 0.25, 2), saved to box.bin; answers the file's bytes.
    std::string saveBox(const std::string& optional) {
        writeFile(dir.file("box.ase"), scene() + square("Box", optional, {50, 25, 200}));
        EXPECT_TRUE(box.loadFromASE(dir.file("box.ase").c_str(), 0, "Box"));
        EXPECT_TRUE(box.saveToBinFile(dir.file("box.bin").c_str()));
        return fileBytes(dir.file("box.bin"));
    }
    bool loadBin(const std::string& bytes) {
        writeFile(dir.file("back.bin"), bytes);
        return back.loadFromBinFile(dir.file("back.bin").c_str());
    }
    ScratchDir dir;
    cMesh box, back;
};

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

TEST_F(MeshFile, HasTheExactSizeReadsBackWithoutAnimationAndRefusesBrokenFiles) {
    const std::string normals = saveBox(normalParts({{{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}}, {{{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}}}) +
                                        animation("Box", {{0, {1, 2, 3}}}, {}));
    ASSERT_EQ(normals.size(), 4u + 12 + 1 + 1 + 4 + 72 + 72);
    EXPECT_EQ(normals.substr(0, 4), std::string("Box\0", 4));
    EXPECT_EQ(normals.substr(16, 2), std::string("\1\0", 2));  // normals, no texture coordinates
    ASSERT_TRUE(loadBin(normals));
    EXPECT_STREQ(back.getName(), "Box");
    EXPECT_EQ(drawn(back), drawn(box, false));  // no frames either

    const std::string tex = saveBox(texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}, {2, 1, 0}}));
    EXPECT_EQ(tex.size(), 4u + 18 + 72 + 72);
    ASSERT_TRUE(loadBin(tex));
    EXPECT_EQ(drawn(back), drawn(box));

    EXPECT_FALSE(cMesh().saveToBinFile(dir.file("empty.bin").c_str()));
    EXPECT_FALSE(box.saveToBinFile(dir.file("no/such/folder/x.bin").c_str()));
    // Short or inconsistent files are refused and leave the mesh empty.
    const std::string good = saveBox(normalParts({{}, {}}));
    // Files cut inside the name, the fixed part, the faces and the normals, and one with a byte too many.
    for (size_t len : {0, 2, 4, 10, 17, 21, 22, 60, 94, 130, 165}) {
        ASSERT_TRUE(!loadBin(good.substr(0, len)) && back.isEmpty()) << len;
    }
    EXPECT_FALSE(loadBin(good + "x"));
    const std::pair<size_t, std::string> patches[] = {
        {16, std::string("\x02", 1)},           // a flag that is neither 0 nor 1
        {18, std::string("\xff\xff\xff\x7f", 4)},  // a count far beyond the file
        {18, std::string("\xff\xff\xff\xff", 4)},  // a negative count
        {18, std::string("\x01\x00\x00\x00", 4)},  // fewer faces than the file holds
        {0, std::string(200, 'N')},               // a name with no terminator within 36 bytes
    };
    for (const auto& [at, with] : patches) EXPECT_FALSE(loadBin(std::string(good).replace(at, with.size(), with))) << at;
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
    ASSERT_TRUE(cube.loadFromASE((root / "assimp/RotatingCube.ASE").c_str(), 0, nullptr));
    ASSERT_EQ(cube.getNumFrames(), 301);
    EXPECT_NE(std::memcmp(cube.getFrames()[0].matrix, cube.getFrames()[150].matrix, 64), 0);
}

TEST(MeshRealFiles, AKeptFileRewrittenInPlaceIsReadAgain) {
    ScratchDir dir;
    const std::string path = dir.file("m.ase");
    cASELoader ase;
    writeFile(path, scene() + "*GEOMOBJECT {\n*NODE_NAME \"aa\"\n}\n");
    ASSERT_TRUE(ase.openFile(path.c_str()));
    ASSERT_TRUE(ase.findObject("aa"));
    // Same size, same place, at once: only the bytes differ.
    writeFile(path, scene() + "*GEOMOBJECT {\n*NODE_NAME \"bb\"\n}\n");
    ASSERT_TRUE(ase.openFile(path.c_str()));
    EXPECT_TRUE(ase.findObject("bb"));
}

TEST(MeshCont, LoadsEveryModelAndAMissingLevelFileFailsOnlyItsParts) {
    const char* const objects[] = {"BallHead",  "BallLeftHand", "BallRightHand", "BallPistol",
                                   "BallLFoot", "BallRFoot",    "BallBazookaOn", "BallBazookaOff"};
    const char* const lodFiles[] = {"models/ball.ASE", "models/ball_L2.ASE", "models/ball_L4.ASE", "models/ball_L8.ASE"};
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
    EXPECT_NE(log.find("Loading mesh from \"models/ball_L8.ASE\" .. \n       BallHead .. FAILED\n"), std::string::npos) << log;
    const std::regex failed("FAILED");
    EXPECT_EQ(std::distance(std::sregex_iterator(log.begin(), log.end(), failed), std::sregex_iterator()), 8) << log;
    // The same object name in two level files gives meshes from each file.
    for (int lod = 0; lod < 3; ++lod) EXPECT_FLOAT_EQ(cont.ball[cMeshCont::rightFoot][lod].getPos().x, static_cast<float>(lod));
    EXPECT_TRUE(cont.ball[cMeshCont::head][3].isEmpty());
    // Only the animated head has the walk cycle.
    EXPECT_EQ(std::pair(cont.ball[cMeshCont::head][0].getNumFrames(), cont.ball[cMeshCont::rightFoot][0].getNumFrames()), std::pair(101, 0));
    EXPECT_STREQ(cont.trees[2][1].getName(), "Tree3Top");
    cont.dispose();  // the destructor disposes once more
    EXPECT_TRUE(cont.ball[cMeshCont::head][0].isEmpty() && cont.flame.isEmpty());
}
