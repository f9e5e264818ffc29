// The ASE tokenizer: node words, numbers, face lines, strings, object search and object bounds.
#include "assets/cASELoader.h"

#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace assetsTest;
using namespace aseText;

namespace {

class AseLoader : public ::testing::Test {
protected:
    // Opens a loader on the given text.
    cASELoader& on(const std::string& text)
    {
        writeFile(dir.file("t.ase"), text);
        EXPECT_TRUE(ase.openFile(dir.file("t.ase").c_str()));
        return ase;
    }
    ScratchDir dir;
    cASELoader ase;
};

} // namespace

TEST_F(AseLoader, ReadsVertexFaceAndMatrixLinesSkippingUnknownNodes)
{
    on("*MATERIAL_REF 0\n\t*MESH_VERTEX\t12\t1.0\t2.0\t3.0\n"
       "*MESH_FACE    3:    A:    0 B:    2 C:    1 AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n"
       "*MESH_FACE 4 A: 5 B: 6 C: 7\n"
       "*MESH_FACE 0: A: 0 X: 1 C: 2\n"
       "*TM_ROW0 1 2 3\n*TM_ROW1 4 5 6\n*TM_ROW2 7 8 9\n*TM_ROW3 10 20 30\n");
    float v[3] = {};
    ASSERT_TRUE(ase.getVertex(cASELoader::MESH_VERTEX, v));
    EXPECT_EQ(v[0] + 10 * v[1] + 100 * v[2], 321.0f);
    int a, b, c;
    ASSERT_TRUE(ase.getFaceInd(a, b, c));
    EXPECT_EQ(a * 100 + b * 10 + c, 21);
    // Another exporter's face line: no colon behind the face number.
    ASSERT_TRUE(ase.getFaceInd(a, b, c));
    EXPECT_EQ(a * 100 + b * 10 + c, 567);
    EXPECT_FALSE(ase.getFaceInd(a, b, c));  // wrong corner letters
    // The node matrix takes the rows as columns and negates the translation.
    float m[16];
    ASSERT_TRUE(ase.getTMatrix(m));
    const float expected[16] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, -10, -20, -30, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], expected[i]) << i;
    EXPECT_EQ(ase.getNode(), cASELoader::endOfFile);
    EXPECT_FALSE(ase.opened());
}

TEST_F(AseLoader, FindObjectFindsByExactNameAndSearchesStopAtTheEndOfTheObject)
{
    on(scene() + square("Tree1Stem") + square("Tree1Top") + square("Tree2Stem") + square("Tree2Top"));
    while (ase.getNode() != cASELoader::endOfFile) {
    }
    ASSERT_TRUE(ase.findObject("Tree2Top"));
    char name[64];
    ASSERT_TRUE(ase.searchNode(cASELoader::NODE_NAME));  // the one inside NODE_TM
    ASSERT_TRUE(ase.getString(name, sizeof name));
    EXPECT_STREQ(name, "Tree2Top");
    EXPECT_FALSE(ase.findObject("tree2top"));
    EXPECT_FALSE(ase.findObject("Tree2"));
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
}

TEST_F(AseLoader, OverlongWordsCannotOverflowAndNumbersReadAsAStreamReadsThem)
{
    std::string longWord(5000, 'W');
    std::string longName(5000, 'n');
    on("*" + longWord + " 1\n*NODE_NAME \"" + longName + "\"\n*NODE_NAME \"open\n*NODE_NAME \"x\"\n");
    ASSERT_EQ(ase.getNode(), cASELoader::NODE_NAME);
    char name[36];
    ASSERT_TRUE(ase.getString(name, sizeof name));
    EXPECT_EQ(std::string(name), std::string(35, 'n'));
    // A string that does not close on its line is refused.
    ASSERT_EQ(ase.getNode(), cASELoader::NODE_NAME);
    EXPECT_FALSE(ase.getString(name, sizeof name));
    ASSERT_EQ(ase.getNode(), cASELoader::NODE_NAME);
    ASSERT_TRUE(ase.getString(name, sizeof name));
    EXPECT_STREQ(name, "x");
    on("*MESH_VERTEX +7 -2.5 .25 1e2 1e-40\n");
    int i;
    float x, y, z, tiny;
    ASSERT_TRUE(ase.searchNode(cASELoader::MESH_VERTEX));
    ASSERT_TRUE(ase.getInt(i) && ase.getFloat(x) && ase.getFloat(y) && ase.getFloat(z) && ase.getFloat(tiny));
    EXPECT_EQ(i * 1000 + x * 100 + y * 4 + z, 7000 - 250 + 1 + 100);
    EXPECT_TRUE(tiny > 0.0f && tiny < 1e-30f);  // too small for a normal float, yet no failure
    // Words that some parsers take for numbers, and numbers out of range.
    for (const char* bad : {"inf", "nan", "1e99", "+-1", "-", ".", "x1"}) {
        on(std::string("*TM_POS ") + bad + " 0 0\n");
        float v[3];
        EXPECT_FALSE(ase.getPosition(v)) << bad;
        EXPECT_FALSE(ase.opened()) << bad;
    }
    int a, b, c;
    // Whole numbers up to the largest int; one more is refused.
    on("*MESH_NUMFACES -12 0042 2147483647 2147483648\n");
    ASSERT_TRUE(ase.searchNode(cASELoader::MESH_NUMFACES));
    ASSERT_TRUE(ase.getInt(a) && ase.getInt(b) && ase.getInt(c));
    EXPECT_EQ(std::vector<int>({a, b, c}), std::vector<int>({-12, 42, 2147483647}));
    EXPECT_FALSE(ase.getInt(a));
}

TEST_F(AseLoader, EveryDecimalReadsAsTheNearestFloat)
{
    // Short decimals take a quicker way than long ones; both must round alike.
    std::vector<std::string> numbers;
    unsigned seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string n = std::to_string(seed % 100000000u >> (seed % 23));
        const size_t point = (seed >> 8) % (n.size() + 4);
        // Built anew rather than by insert(): GCC 12 at -O3 warns falsely (-Wrestrict) of that.
        n = point < n.size() ? n.substr(0, point) + "." + n.substr(point) : point == n.size() + 1 ? "0.000" + n : n;
        numbers.push_back(seed & 0x10000u ? "-" + n : n);
    }
    std::string text = "*TM_POS";
    for (const std::string& n : numbers)
        text += " " + n;
    on(text + "\n");
    ASSERT_TRUE(ase.searchNode(cASELoader::TM_POS));
    for (const std::string& n : numbers) {
        float v;
        ASSERT_TRUE(ase.getFloat(v)) << n;
        ASSERT_EQ(v, std::strtof(n.c_str(), nullptr)) << n;
    }
}

TEST_F(AseLoader, MissingNodesFilesAndFoldersLeaveTheStreamFailedUntilAMarkIsRestored)
{
    on("*SCENE {\n\t*SCENE_LASTFRAME 100\n}\n");
    EXPECT_FALSE(ase.searchNode(cASELoader::SCENE_FIRSTFRAME));
    EXPECT_FALSE(ase.opened());
    int n;
    EXPECT_FALSE(ase.getInt(n));
    for (const std::string& path : {dir.file("none.ase"), dir.path.string()}) {
        EXPECT_FALSE(ase.openFile(path.c_str())) << path;
        EXPECT_EQ(ase.getNode(), cASELoader::endOfFile);
        EXPECT_EQ(ase.fileSize(), 0);
        EXPECT_FALSE(ase.findObject("x"));
    }
    on("");
    EXPECT_EQ(ase.getNode(), cASELoader::endOfFile);
    // A failed search with Windows line ends: a mark taken before it restores the reading place.
    on("*MESH\r\n*MESH_NUMVERTEX\t3\r\n*MESH_NUMFACES 1\r\n");
    EXPECT_EQ(ase.getNode(), cASELoader::MESH);
    cASELoader::sMark m = ase.mark();
    EXPECT_FALSE(ase.searchNode(cASELoader::TM_POS));
    ASSERT_TRUE(ase.restore(m));
    ASSERT_TRUE(ase.searchNode(cASELoader::MESH_NUMVERTEX) && ase.getInt(n));
    EXPECT_EQ(n, 3);
}
