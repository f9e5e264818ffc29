// Level drawing read back from the test window: intro hand-over, blinking, HUD state, minimap texture release.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "assets/cBitmap.h"
#include "level/cLevel.h"
#include "windowPixels.h"

namespace {
class LevelRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldDir = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() / ("orbix-levelgl-" + std::to_string(getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "maps");
        std::filesystem::create_directories(dir / "graphics");
        std::filesystem::current_path(dir);
        cBitmap map(24, 24);
        for (int y = 0; y < 24; y++)
            for (int x = 0; x < 24; x++)
                map.setColor(x, y, 120, 160, 80, 255);
        map.setColor(12, 12, 0, 255, 0, 255);
        map.setColor(20, 20, 255, 0, 0, 255);
        ASSERT_TRUE(map.saveToFile("maps/m.bmp"));
        // Every glyph a solid block, so a message shows as blocks of its colour.
        cBitmap font(64, 64);
        for (int y = 0; y < 64; y++)
            for (int x = 0; x < 64; x++)
                font.setColor(x, y, 255, 255, 255, 255);
        ASSERT_TRUE(font.saveToFile("graphics/fonta.bmp"));
        level.setMapName("m.bmp");
        ASSERT_TRUE(level.init());
        level.onReshape(800, 600);
    }
    void TearDown() override {
        std::filesystem::current_path(oldDir);
        std::filesystem::remove_all(dir);
    }
    void frame() {
        glViewport(0, 0, 800, 600);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.4142, 0.4142, -0.3107, 0.3107, 1, 1000);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        level.render();
        // Whatever the scene left behind, the HUD must not depend on it.
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ZERO, GL_ONE);
        glEnable(GL_DEPTH_TEST);
        projectWindowPixels();
        level.renderUI(800, 600);
    }
    static bool isYellow(int x, int y) {
        unsigned char p[4];
        glReadBuffer(GL_BACK);
        glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return p[0] > 200 && p[1] > 200 && p[2] < 80;
    }
    static void pixel(int x, int y, unsigned char (&p)[4]) {
        glReadBuffer(GL_BACK);
        glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    }
    std::filesystem::path dir, oldDir;
    cLevel level{7};
};
}

TEST_F(LevelRenderTest, IntroShowsUntilTheFirstFrameAfterFiftyMilliseconds) {
    level.update(30);
    frame();
    EXPECT_EQ(level.getState(), cLevel::stateIntro);
    EXPECT_TRUE(isYellow(180, 110));   // "LEVEL"
    EXPECT_TRUE(isYellow(310, 170));   // the single digit 7
    level.update(30);
    frame();
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    EXPECT_TRUE(isYellow(180, 110));
    frame();
    EXPECT_FALSE(isYellow(180, 110));
}

TEST_F(LevelRenderTest, PanelLooksTheSameWhateverTheSceneLeftBehind) {
    frame();
    unsigned char p[4];
    pixel(90, 56, p);   // rocket box, selected at start: light inner colour
    EXPECT_EQ(p[0] << 16 | p[1] << 8 | p[2], 110 << 16 | 145 << 8 | 147);
    pixel(40, 103, p);  // the leader's full life bar
    EXPECT_EQ(p[0] << 16 | p[1] << 8 | p[2], 184 << 16 | 255 << 8 | 159);
}

TEST_F(LevelRenderTest, PauseMessageBlinksOneSecondInOneAndAHalf) {
    level.update(60);
    frame();
    level.onKeyboardUp('p');
    ASSERT_EQ(level.getState(), cLevel::statePaused);
    auto whiteAt = [](int x, int y) {
        unsigned char p[4];
        pixel(x, y, p);
        return p[0] > 200 && p[1] > 200 && p[2] > 200;
    };
    level.update(1000 - 60 - 10);  // level time 990
    frame();
    EXPECT_TRUE(whiteAt(60, 270));
    level.update(20);               // 1010: hidden
    frame();
    EXPECT_FALSE(whiteAt(60, 270));
    level.update(500);              // 1510: shown again
    frame();
    EXPECT_TRUE(whiteAt(60, 270));
}

TEST_F(LevelRenderTest, RebuildingReleasesTheOldMinimapTexture) {
    frame();
    const unsigned first = level.miniMapTex;
    ASSERT_NE(first, 0u);
    ASSERT_TRUE(level.init());
    frame();
    EXPECT_TRUE(level.miniMapTex == first || !glIsTexture(first));
}
