// HUD widgets drawn into the test window and read back: panel boxes, soldier cards, cursor, ground marker.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "ui/DrawPlayer.h"
#include "ui/cCursor.h"
#include "ui/cUI.h"
#include "windowPixels.h"

namespace {
struct sPixel {
    int r, g, b;
    bool operator==(const sPixel& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& os, const sPixel& p) {
    return os << "(" << p.r << ", " << p.g << ", " << p.b << ")";
}

class HudTest : public ::testing::Test {
protected:
    void SetUp() override {
        glViewport(0, 0, 800, 600);
        projectWindowPixels();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // Pixel at window position (x, y), origin top-left.
    static sPixel at(int x, int y) {
        unsigned char p[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }
};
}

TEST_F(HudTest, SelectedWeaponBoxIsLightAndTheOtherDark) {
    cUI ui;
    ui.renderGroupUI(10, 0, 5, 7, false);
    EXPECT_EQ(at(44, 56), (sPixel{110, 145, 147}));
    EXPECT_EQ(at(90, 56), (sPixel{37, 72, 73}));
    EXPECT_EQ(at(6, 30), (sPixel{184, 217, 220}));
    EXPECT_EQ(at(50, 15), (sPixel{147, 108, 37}));
    glClear(GL_COLOR_BUFFER_BIT);
    ui.renderGroupUI(10, 0, 5, 7, true);
    EXPECT_EQ(at(44, 56), (sPixel{37, 72, 73}));
    EXPECT_EQ(at(90, 56), (sPixel{110, 145, 147}));
    EXPECT_EQ(at(52, 30), (sPixel{184, 217, 220}));
}

TEST_F(HudTest, SoldierCardShowsLifeBarOrFallenCross) {
    cUI ui;
    ui.renderSoldierUI(100, "Ann", 50, false);
    EXPECT_EQ(at(40, 103), (sPixel{184, 255, 159}));
    EXPECT_EQ(at(80, 103), (sPixel{192, 192, 192}));
    EXPECT_EQ(at(100, 120).r, 125);
    ui.renderSoldierUI(200, "Bob", 0.5f, true);
    EXPECT_EQ(at(88, 220), (sPixel{255, 255, 255}));
    EXPECT_EQ(at(60, 203), (sPixel{192, 192, 192}));
    EXPECT_EQ(at(100, 220), (sPixel{255, 0, 0}));
}

TEST_F(HudTest, CursorTipSitsAtTheMouseAndRestoresTheMatrices) {
    cCursor cursor;
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5, 5, 0);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    cursor.render(300, 200, 800, 600);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(before[i], after[i]);
    EXPECT_EQ(at(315, 215).r, 255);
    EXPECT_EQ(at(340, 240), (sPixel{0, 0, 0}));
    EXPECT_EQ(at(295, 195), (sPixel{0, 0, 0}));
}

TEST_F(HudTest, GroundMarkerTouchesTheGroundWithItsPoint) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DrawPlayer(0, 0, 0, 0, 5);
    // Seen from above the pyramid covers the centre, apex colour there.
    sPixel centre = at(400, 300);
    EXPECT_GT(centre.b, 150);
    EXPECT_EQ(at(20, 20), (sPixel{0, 0, 0}));
}
