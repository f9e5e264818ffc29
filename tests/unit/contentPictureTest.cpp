// The generated pictures: 24-bit BMPs of the right sizes, the transparent key around
// the faces, animated moods, and a font and icons the interface can use.
#include "contentTestSupport.h"

#include "assets/cBitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace contentTest;

namespace {

const sRGBA kMagenta(255, 0, 255, 255);

// Reads a picture with the game's own loader, after checking it is stored bottom-up, as the game
// reads without turning, with the exact size its header gives.
void load(const std::string& path, cBitmap& b) {
    const std::string bytes = readFile(dir() / path);
    ASSERT_TRUE(b.loadFromFile((dir() / path).string())) << path;
    EXPECT_EQ(le32(bytes, 2), bytes.size()) << path;
    EXPECT_EQ(int32_t(le32(bytes, 22)), b.getHeight()) << path;
}

int countWhere(const cBitmap& b, const sRGBA& c) {
    int n = 0;
    for (int i = 0; i < b.getWidth() * b.getHeight(); i++) n += b.getBitmapS()[i] == c;
    return n;
}

bool powerOfTwo(int v) { return (v & (v - 1)) == 0; }

}  // namespace

TEST(ContentPictures, TexturesArePowersOfTwoAndFacesShowTheBallAtTheirEdges) {
    SKIP_WITHOUT_CONTENT();
    for (const char* n : {"pistol", "bazooka", "flame", "smile1"}) {
        cBitmap b;
        load(std::string("textures/") + n + ".bmp", b);
        EXPECT_TRUE(powerOfTwo(b.getWidth()) && powerOfTwo(b.getHeight())) << n;
    }
    for (const char* mood : {"wink", "angry", "laught", "cry", "talk"}) {
        int changes = 0, shownBefore = 1 << 30;
        for (int i = 1; i <= 7; i++) {
            const std::string n = mood + std::to_string(i);
            cBitmap b;
            load("textures/" + n + ".bmp", b);
            const int w = b.getWidth(), h = b.getHeight();
            EXPECT_TRUE(powerOfTwo(w) && powerOfTwo(h)) << n;
            // The head clamps its texture coordinates to the edges, so an opaque edge pixel
            // would smear over the whole back of the ball.
            for (int k = 0; k < w * h; k++)
                ASSERT_TRUE(b.getBitmapS()[k] == kMagenta || (k % w && k % w != w - 1 && k / w && k / w != h - 1))
                    << n << " edge pixel " << k;
            const int shown = w * h - countWhere(b, kMagenta);
            EXPECT_GT(shown, 0) << n << ": nothing painted";
            EXPECT_LT(shown, w * h / 2) << n << ": the ball should mostly show through";
            EXPECT_TRUE(std::string(mood) != "wink" || shown < shownBefore) << n << " does not close the eye further";
            changes += i > 1 && shown != shownBefore;
            shownBefore = shown;
        }
        EXPECT_GE(changes, 4) << mood << " barely moves";
    }
}

TEST(ContentPictures, FontIsPureWhiteOnPureBlackInTheGrid) {
    SKIP_WITHOUT_CONTENT();
    cBitmap b;
    load("graphics/fonta.bmp", b);
    ASSERT_EQ(b.getWidth(), 256);
    ASSERT_EQ(b.getHeight(), 256);
    const sRGBA black(0, 0, 0, 255), white(255, 255, 255, 255);
    EXPECT_EQ(countWhere(b, black) + countWhere(b, white), 256 * 256) << "grey pixels show as boxes in the game";
    // Cell i (left to right, top to bottom) holds character i + 32: every printable character
    // but the blank has ink, and none spills into the cell's outer pixel ring, which filtering
    // would bleed into the neighbours.
    for (int cell = 0; cell < 256; cell++) {
        const int code = cell + 32;
        int ink = 0, rim = 0;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++) {
                const int px = (cell % 16) * 16 + x, rowFromTop = (cell / 16) * 16 + y;
                if (!(b.getBitmapS()[(255 - rowFromTop) * 256 + px] == white)) continue;
                ink++;
                rim += (x == 0 || y == 0 || x == 15 || y == 15);
            }
        EXPECT_EQ(rim, 0) << "character " << code;
        EXPECT_EQ(ink > 0, code > 32 && code < 127) << "character " << code;
    }
}

TEST(ContentPictures, MenuPictureLoadsAndIconsFitTheWeaponBoxes) {
    SKIP_WITHOUT_CONTENT();
    cBitmap menu;
    load("graphics/cornpoppy.bmp", menu);
    EXPECT_GE(menu.getWidth(), 256);
    for (const char* icon : {"graphics/grenade.bmp", "graphics/rocket.bmp"}) {
        // The panel draws the icons from 2 pixels inside a 42 x 30 box.
        cBitmap b;
        load(icon, b);
        EXPECT_LE(b.getWidth(), 40) << icon;
        EXPECT_LE(b.getHeight(), 28) << icon;
    }
}
