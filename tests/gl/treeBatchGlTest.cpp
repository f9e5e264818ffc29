// The trees' GL buffers: filled on the first drawing, refreshed when the map is rebuilt, freed on request.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/aseText.h"
#include "../unit/assetsTestFiles.h"
#include "assets/cBitmap.h"
#include "assets/cMeshCont.h"
#include "world/cMap.h"

namespace {

// Polygons the map's terrain pass sends down the pipeline, seen through feedback mode
// under a projection that shows the whole map.
int polygonsDrawn(cMap& m) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, m.getX() + 1.0, -1.0, m.getY() + 1.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    std::vector<GLfloat> buffer(1 << 18);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    m.renderTerrain(nullptr);
    const GLint used = glRenderMode(GL_RENDER);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    int polygons = 0;
    for (GLint i = 0; i < used;) {
        if (buffer[i] == GL_POLYGON_TOKEN) {
            ++polygons;
            i += 2 + static_cast<int>(buffer[i + 1]) * 3;
        } else {
            ++i;
        }
    }
    return polygons;
}

void paintMap(cBitmap& bmp, int w, int h, int treeRows) {
    bmp.resize(w, h);
    for (int i = 0; i < w * h; ++i)
        bmp.getBitmapS()[i] = i < w * treeRows ? sRGBA(0, 0, 0, 255) : sRGBA(120, 90, 60, 255);
}

}  // namespace

TEST(TreeBatchGL, BuffersFollowRebuildsAndRelease) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    assetsTest::ScratchDir dir;
    const std::string path = dir.file("tree.ASE");
    const aseText::V3 up{0, 0, 1};
    assetsTest::writeFile(path, aseText::scene() + aseText::square("Part", aseText::normalParts({{up, up, up}, {up, up, up}})));
    cMeshCont meshes;
    for (auto& kind : meshes.trees)
        for (cMesh& part : kind) ASSERT_TRUE(part.loadFromASE(path.c_str(), 0, nullptr));

    cBitmap bmp;
    paintMap(bmp, 20, 20, 0);
    cMap bare;
    ASSERT_TRUE(bare.init(bmp));
    const int ground = polygonsDrawn(bare);
    bare.releaseGL();
    const int perTree = 4;  // two squares of two triangles

    std::srand(5);
    paintMap(bmp, 20, 20, 20);
    cMap m;
    m.setMeshCont(&meshes);
    ASSERT_TRUE(m.init(bmp));
    const int many = m.getTreeCount();
    ASSERT_GT(many, 40);
    EXPECT_EQ(m.getTreeBatch().getVertexBuffer(), 0u) << "building a map needs no GL";
    EXPECT_EQ(polygonsDrawn(m), ground + many * perTree);
    const unsigned buffer = m.getTreeBatch().getVertexBuffer();
    ASSERT_NE(buffer, 0u);
    EXPECT_TRUE(glIsBuffer(buffer));
    EXPECT_EQ(polygonsDrawn(m), ground + many * perTree);

    // Fewer trees after a rebuild: what the buffer held before must not be drawn.
    paintMap(bmp, 20, 20, 2);
    ASSERT_TRUE(m.init(bmp));
    const int few = m.getTreeCount();
    ASSERT_LT(few, many);
    EXPECT_EQ(polygonsDrawn(m), ground + few * perTree);

    m.releaseGL();
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_EQ(m.getTreeBatch().getVertexBuffer(), 0u);
    EXPECT_EQ(polygonsDrawn(m), ground + few * perTree) << "drawing after a release fills new buffers";
    m.releaseGL();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glPopAttrib();
}

TEST(TreeBatchGL, AnimatedAndTexturedPartsAreDrawnAsTheirMeshes) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    assetsTest::ScratchDir dir;
    const std::string path = dir.file("trees.ASE");
    using namespace aseText;
    const V3 up{0, 0, 1};
    const std::string normals = normalParts({{up, up, up}, {up, up, up}});
    const std::string sway = animation("Sway", {}, {{0, {0, 0, 1}, 0.0f}, {1600, {0, 0, 1}, 0.5f}});
    const std::string tex = texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, squareFaces());
    // A modder's trees: a plain stem, an animated top and a textured top without normals.
    assetsTest::writeFile(path, scene() + square("Stem", normals) +
                                    geomObject("Sway", nodeTm("Sway") + meshBlock(squareVerts(), squareFaces(), normals) + sway) +
                                    square("Painted", tex));
    cMeshCont meshes;
    for (int k = 0; k < cMeshCont::numTreeKinds; ++k) {
        ASSERT_TRUE(meshes.trees[k][0].loadFromASE(path.c_str(), 0, "Stem"));
        ASSERT_TRUE(meshes.trees[k][1].loadFromASE(path.c_str(), 0, k == 0 ? "Sway" : "Painted"));
    }
    ASSERT_GT(meshes.trees[0][1].getNumFrames(), 0);
    ASSERT_TRUE(meshes.trees[1][1].hasTexCoords());

    cBitmap bmp;
    paintMap(bmp, 20, 20, 0);
    cMap bare;
    ASSERT_TRUE(bare.init(bmp));
    const int ground = polygonsDrawn(bare);
    std::srand(5);
    paintMap(bmp, 20, 20, 20);
    cMap m;
    m.setMeshCont(&meshes);
    ASSERT_TRUE(m.init(bmp));
    const int before = meshes.trees[0][1].getCurrentFrame();
    // Every tree still shows its stem and its top...
    EXPECT_EQ(polygonsDrawn(m), ground + m.getTreeCount() * 4);
    // ...and the animated top was drawn through its own frames.
    EXPECT_NE(meshes.trees[0][1].getCurrentFrame(), before);
    // The merged stems keep their normals though the painted tops have none.
    EXPECT_EQ(m.getTreeBatch().getNormals().size(), m.getTreeBatch().getPositions().size());
    EXPECT_EQ(m.getTreeBatch().triangleCount(cTreeBatch::kTop), 0);
    m.releaseGL();
    bare.releaseGL();
    glPopAttrib();
}
