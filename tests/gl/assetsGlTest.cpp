// Texture set, minimap texture and mesh drawing under a real GL context.
#include "shell/appGlobals.h"

#include "assets/cBitmap.h"
#include "assets/cMesh.h"
#include "assets/cTexture.h"
#include "world/cGameSetup.h"

#include "../unit/aseText.h"
#include "../unit/assetsTestFiles.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

using namespace assetsTest;

namespace {

std::vector<sRGBA> textureImage(unsigned id, int& w, int& h)
{
    glBindTexture(GL_TEXTURE_2D, id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<sRGBA> pixels(static_cast<size_t>(w) * h);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

const char* const moods[] = {"angry", "laught", "cry", "talk"};

} // namespace

TEST(TextureSet, LoadsAllThirtyNineFilesInOrderAndLeavesFailedSlotsEmpty)
{
    ScratchDir dir;
    // 8 x 8 pictures: magenta with a white square in the middle; the pistol is plain grey.
    auto picture = bmp24(8, 8, [](int x, int y) {
        bool inside = x >= 3 && x <= 4 && y >= 3 && y <= 4;
        return std::tuple<int, int, int>(255, inside ? 255 : 0, 255);
    });
    std::vector<std::string> names = {"pistol", "bazooka", "flame"};
    for (int i = 1; i <= 7; ++i)
        names.push_back("wink" + std::to_string(i));
    names.push_back("smile1");
    for (const char* m : moods)
        for (int i = 1; i <= 7; ++i)
            names.push_back(m + std::to_string(i));
    ASSERT_EQ(names.size(), 39u);
    for (const std::string& n : names)
        if (n != "cry3")
            writeFile(dir.file("textures/" + n + ".bmp"), picture);

    WorkingDir cwd(dir.path);
    cTexture set;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(set.load());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("textures/cry3.bmp .. FAILED\n"), std::string::npos);
    EXPECT_EQ(set.faces[3][2], 0u);
    EXPECT_NE(set.faces[3][1], 0u);
    for (int f = 1; f < 7; ++f)
        EXPECT_EQ(set.faces[0][f], set.faces[0][0]);
    EXPECT_NE(set.faces[0][0], 0u);
    EXPECT_NE(set.wink[6], 0u);

    int w, h;
    std::vector<sRGBA> pistol = textureImage(set.pistol, w, h);
    ASSERT_EQ(w, 8);
    ASSERT_EQ(h, 8);
    EXPECT_EQ(pistol[0], sRGBA(255, 0, 255, 255));  // not keyed
    std::vector<sRGBA> face = textureImage(set.faces[1][4], w, h);
    EXPECT_EQ(face[0].a, 0);                          // keyed border stays clear
    EXPECT_EQ(face[8 * 3 + 3], sRGBA(255, 255, 255, 255));
    EXPECT_GT(face[8 * 3 + 2].a, 0);                  // fringe next to the white square
    EXPECT_LT(face[8 * 3 + 2].a, 255);
}

TEST(MiniMapTexture, IsSixtyFourSquareWhateverTheMap)
{
    cGameSetup gs;
    gs.init();
    ASSERT_NE(gs.miniMapTex, 0u);
    gs.miniMap.resize(128, 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x)
            gs.miniMap.setColor(x, y, static_cast<unsigned char>(x), static_cast<unsigned char>(y), 9, 255);
    gs.createMiniMapTex();
    int w, h;
    std::vector<sRGBA> tex = textureImage(gs.miniMapTex, w, h);
    ASSERT_EQ(w, 64);
    ASSERT_EQ(h, 64);
    EXPECT_EQ(tex[0], sRGBA(0, 0, 9, 255));
    EXPECT_EQ(tex[64 * 10 + 5], sRGBA(10, 15, 9, 255));  // column 2 x 5, row 1.5 x 10
    EXPECT_EQ(gs.miniMap.getWidth(), 128);
}

namespace {

// Draws mesh (or with two units) into an orthographic view of the unit square and
// answers the colour at the window pixel in the middle of the square's upper-left triangle.
sRGBA drawSquare(cMesh& mesh, bool twoUnits, int frame)
{
    glViewport(0, 0, 100, 100);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    if (twoUnits)
        mesh.renderMT(frame);
    else
        mesh.render(frame);
    sRGBA px;
    glReadPixels(25, 75, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &px);
    return px;
}

} // namespace

TEST(MeshDrawing, DrawsWithTheFrameMatrixAndLeavesClientStateClean)
{
    using namespace aseText;
    ScratchDir dir;
    // A unit square moved by frame 0 to x = 5 (off screen) and back by frame 1.
    std::string text = scene(0, 1) +
                       geomObject("Sq", nodeTm("Sq") + meshBlock(squareVerts(), squareFaces(),
                                                                 texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                                                                          {{0, 1, 2}, {0, 2, 3}})) +
                                            animation("Sq", {{0, {500, 0, 0}}, {160, {0, 0, 0}}}, {}));
    writeFile(dir.file("sq.ase"), text);
    cMesh mesh;
    ASSERT_TRUE(mesh.loadFromASE(dir.file("sq.ase").c_str(), 0, nullptr));
    EXPECT_EQ(drawSquare(mesh, false, 0), sRGBA(0, 0, 0, 255));
    EXPECT_EQ(drawSquare(mesh, false, 1), sRGBA(255, 255, 255, 255));
    EXPECT_EQ(drawSquare(mesh, true, 7), sRGBA(255, 255, 255, 255));  // clamped to frame 1

    GLint unit = -1;
    glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE_ARB, &unit);
    EXPECT_EQ(unit, GL_TEXTURE0_ARB);
    for (GLenum u : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
        glClientActiveTextureARB(u);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    }
    glClientActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);

    cMesh empty;
    EXPECT_EQ(drawSquare(empty, false, 0), sRGBA(0, 0, 0, 255));
}
