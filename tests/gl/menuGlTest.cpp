// Main menu drawing: each item text lies in the hit box that acts for it, and nothing shows off-screen.
#include "ui/cMenu.h"
#include "windowPixels.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Owner : iMenu {
    void msgMenu(int) override {}
};

// A font picture whose every glyph but the blank is a solid white block, and a red background.
void writeContent(const fs::path& dir) {
    fs::create_directories(dir / "graphics");
    cBitmap font(320, 320);
    for (int cell = 1; cell < 256; ++cell) {
        int cx = (cell % 16) * 20, cyTop = (cell / 16) * 20;
        for (int y = 4; y < 16; ++y)
            for (int x = 3; x < 17; ++x) font.setColor(cx + x, 319 - (cyTop + y), 255, 255, 255, 255);
    }
    ASSERT_TRUE(font.saveToFile((dir / "graphics/fonta.bmp").string()));
    cBitmap bkg(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) bkg.setColor(x, y, 255, 0, 0, 255);
    ASSERT_TRUE(bkg.saveToFile((dir / "graphics/cornpoppy.bmp").string()));
}

struct Frame {
    std::vector<unsigned char> rgb = std::vector<unsigned char>(800 * 600 * 3);
    const unsigned char* at(int x, int y) const { return &rgb[3 * ((599 - y) * 800 + x)]; }
    bool white(int x, int y) const { return at(x, y)[0] > 200 && at(x, y)[1] > 200 && at(x, y)[2] > 200; }
};

Frame draw(cMenu& menu) {
    glViewport(0, 0, 800, 600);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    projectWindowPixels();
    menu.render();
    Frame f;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, f.rgb.data());
    return f;
}

struct MenuGl : ::testing::Test {
    Owner owner;
    cMenu menu;

    void SetUp() override {
        fs::path dir = fs::temp_directory_path() / ("orbix-menu-" + std::to_string(getpid()));
        writeContent(dir);
        fs::path back = fs::current_path();
        fs::current_path(dir);
        menu.init(&owner);
        fs::current_path(back);
        fs::remove_all(dir);
    }
};

} // namespace

TEST_F(MenuGl, EachTextSitsInTheBoxThatActsForIt) {
    menu.show();
    menu.update(1000);
    ASSERT_EQ(menu.getState(), cMenu::SHOWN);
    Frame f = draw(menu);

    // Rows top to bottom: " New Game ", "  Quit    ", "  Score!  ", " Settings ".
    const int boxOfRow[4] = {1, 4, 3, 2};
    for (int r = 0; r < 4; ++r) {
        int top = 200 + 50 * r, x0 = 800, x1 = -1, y0 = 600, y1 = -1;
        for (int y = top; y < top + 20; ++y)
            for (int x = 0; x < 800; ++x)
                if (f.white(x, y)) {
                    x0 = std::min(x0, x), x1 = std::max(x1, x);
                    y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
        ASSERT_GE(x1, 0) << "row " << r << " drew no text";
        menu.onPassiveMotion(0, (x0 + x1) / 2, (y0 + y1) / 2, 0, 0);
        EXPECT_EQ(menu.getHover(), boxOfRow[r]) << "row " << r;
    }
    // Nothing drawn between the rows, and the background shows around them.
    for (int x = 0; x < 800; ++x) ASSERT_FALSE(f.white(x, 222)) << x;
    const unsigned char* bkg = f.at(170, 40);
    EXPECT_GT(bkg[0], 200);
    EXPECT_LT(bkg[1], 30);
    EXPECT_EQ(f.at(100, 300)[0], 0);
}

TEST_F(MenuGl, NothingIsDrawnWhileTheAnchorIsOffScreen) {
    Frame f = draw(menu);
    for (int y = 0; y < 600; y += 3)
        for (int x = 0; x < 800; x += 3) ASSERT_EQ(f.at(x, y)[0], 0) << x << "," << y;
}
