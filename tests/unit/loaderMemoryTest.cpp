// The loaders answer false, leaving their object as their contract says, when the memory a file's counts ask for is refused.
#include "assets/cBitmap.h"
#include "assets/cMesh.h"
#include "assets/fileAlloc.h"
#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <limits>

TEST(LoaderMemory, RefusedMemoryIsAFailureNotAnException) {
    // 100000 faces declared, and room in the file for that many lines: only the
    // memory, 3.6 MB for each face array, says no.
    using namespace aseText;
    assetsTest::ScratchDir dir;
    assetsTest::writeFile(dir.file("big.ASE"), scene() + "*GEOMOBJECT {\n" + nodeTm("Big") +
                                                   "\t*MESH {\n\t\t*MESH_NUMVERTEX 3\n\t\t*MESH_NUMFACES 100000\n" +
                                                   vertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}) + faceList({{0, 1, 2}}) +
                                                   "\t}\n}\n" + std::string(2 << 20, ' ') + "\n");
    ASSERT_TRUE(cBitmap(1024, 1024).saveToFile(dir.file("big.bmp")));
    fileAlloc::setLimit(3 << 20);
    cMesh mesh;
    EXPECT_FALSE(mesh.loadFromASE(dir.file("big.ASE").c_str(), 0, nullptr));
    EXPECT_TRUE(mesh.isEmpty());
    EXPECT_EQ(mesh.getLoadError(), "not enough memory for the vertex and face counts");
    cBitmap bitmap(2, 3);
    std::string why;
    EXPECT_FALSE(bitmap.loadFromFile(dir.file("big.bmp"), why));
    EXPECT_EQ(why, "there is not enough memory for it");
    EXPECT_EQ(bitmap.getWidth(), 2);
    fileAlloc::setLimit(std::numeric_limits<size_t>::max());
    EXPECT_TRUE(bitmap.loadFromFile(dir.file("big.bmp"), why));
}
