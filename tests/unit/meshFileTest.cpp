// The binary mesh file, and real ASE files from other exporters.
#include "assets/cMesh.h"

#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

using namespace assetsTest;
using namespace aseText;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class MeshFile : public ::testing::Test {
protected:
    // Box: two faces with normals and no texture coordinates, node at (0.5, 0.25, 2).
    void loadBox(const std::string& optional)
    {
        writeFile(dir.file("box.ase"), scene() + square("Box", optional, {50, 25, 200}));
        ASSERT_TRUE(box.loadFromASE(dir.file("box.ase").c_str(), 0, "Box"));
    }
    ScratchDir dir;
    cMesh box;
};

} // namespace

TEST_F(MeshFile, HasTheExactSizeAndReadsBackWithoutAnimation)
{
    loadBox(normalParts({{{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}}, {{{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}}}) +
            animation("Box", {{0, {1, 2, 3}}}, {}));
    std::string path = dir.file("box.bin");
    ASSERT_TRUE(box.saveToBinFile(path.c_str()));
    std::string bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 4u + 12 + 1 + 1 + 4 + 72 + 72);
    EXPECT_EQ(bytes.substr(0, 4), std::string("Box\0", 4));
    EXPECT_EQ(bytes.substr(16, 2), std::string("\1\0", 2));  // normals, no texture coordinates

    cMesh back;
    ASSERT_TRUE(back.loadFromBinFile(path.c_str()));
    EXPECT_STREQ(back.getName(), "Box");
    EXPECT_EQ(back.getPos().x, 0.5f);
    EXPECT_EQ(back.getPos().z, 2.0f);
    ASSERT_EQ(back.getNumFaces(), 2);
    EXPECT_EQ(std::memcmp(back.getFaces(), box.getFaces(), 72), 0);
    ASSERT_TRUE(back.hasNormals());
    EXPECT_EQ(std::memcmp(back.getNormals(), box.getNormals(), 72), 0);
    EXPECT_FALSE(back.hasTexCoords());
    EXPECT_EQ(back.getNumFrames(), 0);

    cMesh empty;
    EXPECT_FALSE(empty.saveToBinFile(dir.file("empty.bin").c_str()));
    EXPECT_FALSE(box.saveToBinFile(dir.file("no/such/folder/x.bin").c_str()));
}

TEST_F(MeshFile, TextureCoordinatesRoundTrip)
{
    loadBox(texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}, {2, 1, 0}}));
    std::string path = dir.file("tex.bin");
    ASSERT_TRUE(box.saveToBinFile(path.c_str()));
    EXPECT_EQ(readAll(path).size(), 4u + 18 + 72 + 72);
    cMesh back;
    ASSERT_TRUE(back.loadFromBinFile(path.c_str()));
    ASSERT_TRUE(back.hasTexCoords());
    EXPECT_FALSE(back.hasNormals());
    EXPECT_EQ(std::memcmp(back.getTexCoords(), box.getTexCoords(), 72), 0);
}

TEST_F(MeshFile, ShortOrInconsistentFilesAreRefusedAndLeaveTheMeshEmpty)
{
    loadBox(normalParts({{}, {}}));
    std::string path = dir.file("good.bin");
    ASSERT_TRUE(box.saveToBinFile(path.c_str()));
    std::string good = readAll(path);
    cMesh back;
    // Files cut inside the name, the fixed part, the faces and the normals, and one with a byte too many.
    for (size_t len : {0, 2, 4, 10, 17, 21, 22, 60, 94, 130, 165}) {
        writeFile(dir.file("cut.bin"), good.substr(0, len));
        ASSERT_FALSE(back.loadFromBinFile(dir.file("cut.bin").c_str())) << len;
        ASSERT_TRUE(back.isEmpty());
    }
    writeFile(dir.file("long.bin"), good + "x");
    EXPECT_FALSE(back.loadFromBinFile(dir.file("long.bin").c_str()));

    auto patched = [&](size_t at, const std::string& with) {
        std::string bad = good;
        bad.replace(at, with.size(), with);
        writeFile(dir.file("bad.bin"), bad);
        return back.loadFromBinFile(dir.file("bad.bin").c_str());
    };
    EXPECT_FALSE(patched(16, std::string("\x02", 1)));           // a flag that is neither 0 nor 1
    EXPECT_FALSE(patched(18, std::string("\xff\xff\xff\x7f", 4)));  // a count far beyond the file
    EXPECT_FALSE(patched(18, std::string("\xff\xff\xff\xff", 4)));  // a negative count
    EXPECT_FALSE(patched(18, std::string("\x01\x00\x00\x00", 4)));  // fewer faces than the file holds
    // A name with no terminator within 36 bytes.
    writeFile(dir.file("name.bin"), std::string(200, 'N'));
    EXPECT_FALSE(back.loadFromBinFile(dir.file("name.bin").c_str()));
    EXPECT_FALSE(back.loadFromBinFile(dir.file("absent.bin").c_str()));
    EXPECT_TRUE(back.isEmpty());
    EXPECT_TRUE(patched(2, "y"));  // a changed name is fine
    EXPECT_STREQ(back.getName(), "Boy");
}

namespace {

// The vertex and face counts each GEOMOBJECT of a file declares, in file order; -1 where absent.
std::vector<std::pair<int, int>> declaredCounts(const std::string& text)
{
    auto numberAfter = [&](const std::string& word, size_t from, size_t to) {
        size_t at = text.find(word, from);
        if (at >= to)
            return -1;
        int n = -1;
        std::istringstream(text.substr(at + word.size(), 32)) >> n;
        return n;
    };
    std::vector<std::pair<int, int>> counts;
    for (size_t at = text.find("*GEOMOBJECT"); at != std::string::npos;) {
        size_t next = text.find("*GEOMOBJECT", at + 1);
        size_t end = next == std::string::npos ? text.size() : next;
        counts.emplace_back(numberAfter("*MESH_NUMVERTEX", at, end), numberAfter("*MESH_NUMFACES", at, end));
        at = next;
    }
    return counts;
}

} // namespace

TEST(MeshRealFiles, LoadWithTheDeclaredCountsOrAreRefused)
{
    std::filesystem::path root = ORBIX_TESTDATA_DIR "/ase";
    if (!std::filesystem::is_directory(root))
        GTEST_SKIP() << "no test data at " << root;
    int files = 0, loaded = 0;
    std::map<std::string, int> loadedPerFile;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string ext = entry.path().extension().string();
        if (ext != ".ase" && ext != ".ASE")
            continue;
        ++files;
        std::string path = entry.path().string();
        auto counts = declaredCounts(readAll(path));
        ASSERT_LE(counts.size(), 256u) << path;
        for (size_t i = 0; i < counts.size(); ++i) {
            cMesh m;
            if (!m.loadFromASE(path.c_str(), static_cast<unsigned char>(i), nullptr)) {
                EXPECT_TRUE(m.isEmpty());
                continue;
            }
            ++loaded;
            ++loadedPerFile[entry.path().filename().string()];
            EXPECT_EQ(m.getNumVertices(), counts[i].first) << path << " object " << i;
            EXPECT_EQ(m.getNumFaces(), counts[i].second) << path << " object " << i;
            // The object found by its own name is the same one.
            cMesh byName;
            ASSERT_TRUE(byName.loadFromASE(path.c_str(), 0, m.getName())) << path << " " << m.getName();
        }
        cMesh past;
        EXPECT_FALSE(past.loadFromASE(path.c_str(), static_cast<unsigned char>(counts.size()), nullptr));
    }
    EXPECT_EQ(files, 12);
    // Files that hold every node an object needs load whole.
    EXPECT_EQ(loadedPerFile["ThreeCubesGreen.ASE"], 3);
    EXPECT_EQ(loadedPerFile["single_triangle.ase"], 1);
    EXPECT_EQ(loadedPerFile["testsphere.ase"], 1);
    EXPECT_EQ(loadedPerFile["RotatingCube.ASE"], 1);
    EXPECT_GT(loaded, 20);
}

TEST(MeshRealFiles, LongAnimationTracksAreBakedIntoEveryFrame)
{
    std::string path = ORBIX_TESTDATA_DIR "/ase/assimp/RotatingCube.ASE";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no test data";
    cMesh cube;
    ASSERT_TRUE(cube.loadFromASE(path.c_str(), 0, nullptr));
    ASSERT_EQ(cube.getNumFrames(), 301);
    for (int f = 0; f < cube.getNumFrames(); ++f)
        for (float v : cube.getFrames()[f].matrix)
            ASSERT_TRUE(std::isfinite(v)) << f;
    // The cube turns: its first and a middle frame differ.
    EXPECT_NE(std::memcmp(cube.getFrames()[0].matrix, cube.getFrames()[150].matrix, 64), 0);
}
