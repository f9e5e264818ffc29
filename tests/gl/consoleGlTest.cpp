// Console drawing in a real window: the glyph sheet, the state it gives back, the no-buffer display.
#include "ui/cConsole.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Pixels {
    int x0, y0, w, h;
    std::vector<unsigned char> rgb;
    // Window pixel (x, y) counted from the top-left corner.
    const unsigned char* at(int x, int y) const {
        int row = (600 - 1 - y) - (600 - y0 - h);
        return &rgb[3 * (row * w + (x - x0))];
    }
};

// Reads the back buffer over the box whose top-left corner is (x, y), y downwards.
Pixels grab(int x, int y, int w, int h) {
    Pixels p{x, y, w, h, std::vector<unsigned char>(size_t(3) * w * h)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 600 - y - h, w, h, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
    return p;
}

int brightCount(const Pixels& p) {
    int n = 0;
    for (int y = p.y0; y < p.y0 + p.h; ++y)
        for (int x = p.x0; x < p.x0 + p.w; ++x)
            if (p.at(x, y)[0] > 150) ++n;
    return n;
}

void frame() {
    glViewport(0, 0, 800, 600);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

} // namespace

TEST(ConsoleGl, FirstFrameBuildsTheGlyphSheetThenThePanelGivesTheStateBack) {
    frame();
    cConsole con(nullptr, 800, 600);
    EXPECT_FALSE(con.render());
    // 'A' is glyph 33: column 1, row 2 of the 16 x 16 cells; the blank has no pixels.
    EXPECT_GT(brightCount(grab(16, 32, 16, 16)), 10);
    EXPECT_EQ(brightCount(grab(0, 0, 16, 16)), 0);

    frame();
    EXPECT_TRUE(con.render()); // hidden: nothing drawn
    EXPECT_EQ(brightCount(grab(0, 0, 800, 600)), 0);

    // What the 3D pass may leave on must not tint the panel, nor stay off after it.
    GLint depthBefore = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthBefore);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    GLuint black = 0;
    const unsigned char blackPixel[4] = {0, 0, 0, 255};
    glGenTextures(1, &black);
    glBindTexture(GL_TEXTURE_2D, black);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, blackPixel);
    con.show();
    con.update(10000);
    con.write("\n\t\x01HEL\x7f\xc8LO");  // codes without a glyph draw nothing
    frame();
    EXPECT_TRUE(con.render());

    GLint depthAfter = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDeleteTextures(1, &black);
    // The translucent green panel over black, away from any text.
    EXPECT_NEAR(grab(700, 300, 1, 1).rgb[1], 151 * 128 / 255, 6);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // The line being written: five glyphs from x = 95 and nothing after them.
    EXPECT_GT(brightCount(grab(95, 80 + 15 + 16 * 23, 45, 16)), 20);
    EXPECT_EQ(brightCount(grab(95 + 47, 80 + 15 + 16 * 23, 500, 16)), 0);
}

TEST(ConsoleGl, WithoutATextBufferAWarningPanelShows) {
    cConsole con(nullptr, 800, 600);
    frame();
    con.render();
    con.resize(400000, 400000);
    ASSERT_FALSE(con.hasBuffer());
    con.show();
    con.update(1000000); // the huge panel slides from far above
    frame();
    EXPECT_TRUE(con.render());
    Pixels inside = grab(80 + 310, 80 + 65, 1, 1);
    EXPECT_NEAR(inside.at(80 + 310, 80 + 65)[0], 245 * 200 / 255, 6);
    EXPECT_NEAR(inside.at(80 + 310, 80 + 65)[1], 142 * 200 / 255, 6);
    Pixels beside = grab(80 + 330, 80 + 65, 1, 1);
    EXPECT_EQ(beside.at(80 + 330, 80 + 65)[0], 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
