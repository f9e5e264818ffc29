// Texture set and mesh drawing under a real GL context; the minimap texture shows in the game's pictures.
#include "glTestSupport.h"

#include "shell/appGlobals.h"

#include "assets/cBitmap.h"
#include "assets/cMesh.h"
#include "assets/cTexture.h"

#include "../unit/aseText.h"
#include "../unit/assetsTestFiles.h"

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

} // namespace

TEST(TextureSet, LoadsAllThirtyNineFilesInOrderAndLeavesFailedSlotsEmpty)
{
    ScratchDir dir;
    // 8 x 8 pictures: magenta with a white square in the middle (keying itself is a headless test).
    auto picture = bmp24(8, 8, [](int x, int y) {
        bool inside = x >= 3 && x <= 4 && y >= 3 && y <= 4;
        return std::tuple<int, int, int>(255, inside ? 255 : 0, 255);
    });
    std::vector<std::string> names = {"pistol", "bazooka", "flame", "smile1"};
    for (int i = 1; i <= 7; ++i)
        for (const char* stem : {"wink", "angry", "laught", "cry", "talk"})
            names.push_back(stem + std::to_string(i));
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
    ASSERT_EQ(std::make_pair(w, h), std::make_pair(8, 8));
    EXPECT_EQ(pistol[0], sRGBA(255, 0, 255, 255));  // not keyed
    std::vector<sRGBA> face = textureImage(set.faces[1][4], w, h);
    EXPECT_EQ(face[0].a, 0);                          // keyed
    EXPECT_EQ(face[8 * 3 + 3], sRGBA(255, 255, 255, 255));
}

using MeshDrawing = KeepsGlState;

TEST_F(MeshDrawing, DrawsWithTheFrameMatrixAndLeavesClientStateClean)
{
    using namespace aseText;
    ScratchDir dir;
    // A unit square moved by frame 0 to x = 5 (off screen) and back by frame 1.
    std::string text = scene(0, 1) +
                       geomObject("Sq", nodeTm("Sq") + meshBlock(squareVerts(), squareFaces(),
                                                                 texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, squareFaces())) +
                                            animation("Sq", {{0, {500, 0, 0}}, {160, {0, 0, 0}}}, {}));
    writeFile(dir.file("sq.ase"), text);
    cMesh mesh, empty;
    ASSERT_TRUE(mesh.loadFromASE(dir.file("sq.ase").c_str(), 0, nullptr));
    glViewport(0, 0, 100, 100);
    projectOrtho(0, 1, 0, 1);
    const std::array<int, 3> black{0, 0, 0}, white{255, 255, 255};
    // The colour at the middle of the square's upper-left triangle, drawn alone or with two units.
    const auto drawSquare = [](cMesh& m, bool twoUnits, int frame) {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        twoUnits ? m.renderMT(frame) : m.render(frame);
        return pixelAt(25, 524);
    };
    EXPECT_EQ(drawSquare(mesh, false, 0), black);
    EXPECT_EQ(drawSquare(mesh, false, 1), white);
    EXPECT_EQ(drawSquare(mesh, true, 7), white);  // clamped to frame 1
    EXPECT_EQ(drawSquare(empty, false, 0), black);

    EXPECT_EQ(glInt(GL_CLIENT_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    for (GLenum u : {GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
        glClientActiveTextureARB(u);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    }
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_EQ(glInt(GL_MODELVIEW_STACK_DEPTH), 2);
}
