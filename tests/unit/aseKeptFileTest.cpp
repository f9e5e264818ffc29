// A model file kept in memory between opens loads exactly as a fresh read of the same bytes.
#include "assets/cASELoader.h"
#include "assets/cMesh.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace assetsTest;

namespace {

std::vector<float> floats(const float* p, size_t n)
{
    return p ? std::vector<float>(p, p + n) : std::vector<float>();
}

void expectSame(const cMesh& a, const cMesh& b, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_STREQ(a.getName(), b.getName());
    ASSERT_EQ(a.getNumVertices(), b.getNumVertices());
    ASSERT_EQ(a.getNumFaces(), b.getNumFaces());
    ASSERT_EQ(a.getNumFrames(), b.getNumFrames());
    size_t corners = static_cast<size_t>(a.getNumFaces()) * 9;
    EXPECT_EQ(floats(a.getVertices(), static_cast<size_t>(a.getNumVertices()) * 3),
              floats(b.getVertices(), static_cast<size_t>(b.getNumVertices()) * 3));
    EXPECT_EQ(floats(a.getFaces(), corners), floats(b.getFaces(), corners));
    EXPECT_EQ(floats(a.getNormals(), a.hasNormals() ? corners : 0), floats(b.getNormals(), b.hasNormals() ? corners : 0));
    EXPECT_EQ(floats(a.getTexCoords(), a.hasTexCoords() ? corners : 0),
              floats(b.getTexCoords(), b.hasTexCoords() ? corners : 0));
    for (int f = 0; f < a.getNumFrames(); ++f)
        ASSERT_EQ(floats(a.getFrames()[f].matrix, 16), floats(b.getFrames()[f].matrix, 16)) << "frame " << f;
}

} // namespace

// The real-world files have lain untouched long enough to be kept; their copies are brand new and are not.
TEST(AseKeptFile, EveryObjectLoadsAsFromAFreshCopy)
{
    std::filesystem::path root = ORBIX_TESTDATA_DIR "/ase";
    if (!std::filesystem::is_directory(root))
        GTEST_SKIP() << "no test data at " << root;
    ScratchDir dir;
    const std::string copy = dir.file("copy.ase");
    int compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        const std::string original = entry.path().string();
        std::filesystem::copy_file(original, copy, std::filesystem::copy_options::overwrite_existing);
        for (int index = 0; index < 256; ++index) {
            cMesh kept, fresh, byName;
            bool loaded = kept.loadFromASE(original.c_str(), static_cast<unsigned char>(index), nullptr);
            ASSERT_EQ(fresh.loadFromASE(copy.c_str(), static_cast<unsigned char>(index), nullptr), loaded) << original;
            if (!loaded)
                break;
            expectSame(kept, fresh, original + " object " + std::to_string(index));
            ASSERT_TRUE(byName.loadFromASE(original.c_str(), 0, kept.getName()));
            ++compared;
        }
    }
    EXPECT_GT(compared, 0);
    cASELoader::forgetKeptFile();
}

TEST(AseKeptFile, AFileRewrittenInPlaceIsReadAgain)
{
    ScratchDir dir;
    const std::string path = dir.file("m.ase");
    const std::string head = "*SCENE {\n*SCENE_FIRSTFRAME 0\n*SCENE_LASTFRAME 0\n*SCENE_TICKSPERFRAME 160\n}\n";
    cASELoader ase;
    writeFile(path, head + "*GEOMOBJECT {\n*NODE_NAME \"aa\"\n}\n");
    ASSERT_TRUE(ase.openFile(path.c_str()));
    ASSERT_TRUE(ase.findObject("aa"));
    // Same size, same place, at once: only the bytes differ.
    writeFile(path, head + "*GEOMOBJECT {\n*NODE_NAME \"bb\"\n}\n");
    ASSERT_TRUE(ase.openFile(path.c_str()));
    EXPECT_FALSE(ase.findObject("aa"));
    EXPECT_TRUE(ase.findObject("bb"));
}
