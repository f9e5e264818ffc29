// The generated pictures: exact BMP format, sizes, the transparent key and the
// readability rules of faces, font and icons.
#include "contentTestSupport.h"

#include "assets/cBitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace contentTest;

namespace {

const sRGBA kMagenta(255, 0, 255, 255);

std::vector<std::string> textureNames() {
    std::vector<std::string> n = {"pistol", "bazooka", "flame", "smile1"};
    for (int i = 1; i <= 7; i++) {
        const std::string k = std::to_string(i);
        for (const char* mood : {"wink", "angry", "laught", "cry", "talk"}) n.push_back(mood + k);
    }
    return n;
}

bool powerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

// Checks the header and size of a 24-bit uncompressed BMP the way it is written
// for the game, and reads it with the game's own loader.
void expectBmp(const std::filesystem::path& p, cBitmap& out) {
    const std::string b = readFile(p);
    ASSERT_GE(b.size(), 54u) << p;
    EXPECT_EQ(b.substr(0, 2), "BM") << p;
    EXPECT_EQ(le32(b, 10), 54u) << p;
    EXPECT_EQ(le32(b, 14), 40u) << p;
    EXPECT_EQ(le16(b, 28), 24u) << p;
    EXPECT_EQ(le32(b, 30), 0u) << p;
    const int32_t w = int32_t(le32(b, 18)), h = int32_t(le32(b, 22));
    ASSERT_GT(w, 0) << p;
    ASSERT_GT(h, 0) << p;  // bottom-up, as the game reads without turning
    const uint64_t row = (uint64_t(w) * 3 + 3) / 4 * 4;
    EXPECT_EQ(b.size(), 54 + row * uint64_t(h)) << p;
    EXPECT_EQ(le32(b, 2), b.size()) << p;
    ASSERT_TRUE(out.loadFromFile(p.string())) << p;
    EXPECT_EQ(out.getWidth(), w);
    EXPECT_EQ(out.getHeight(), h);
}

int countWhere(const cBitmap& b, const sRGBA& c) {
    int n = 0;
    for (int i = 0; i < b.getWidth() * b.getHeight(); i++) n += b.getBitmapS()[i] == c;
    return n;
}

bool samePixels(const cBitmap& a, const cBitmap& b) {
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight()) return false;
    for (int i = 0; i < a.getWidth() * a.getHeight(); i++)
        if (!(a.getBitmapS()[i] == b.getBitmapS()[i])) return false;
    return true;
}

}  // namespace

TEST(ContentPictures, EveryTextureIsAPowerOfTwoBmp) {
    SKIP_WITHOUT_CONTENT();
    const auto names = textureNames();
    EXPECT_EQ(names.size(), 39u);
    for (const std::string& n : names) {
        cBitmap b;
        expectBmp(dir() / "textures" / (n + ".bmp"), b);
        EXPECT_TRUE(powerOfTwo(b.getWidth()) && powerOfTwo(b.getHeight())) << n;
    }
}

TEST(ContentPictures, KeyedTexturesShowTheBallAtTheirEdgesAndCarrySomething) {
    SKIP_WITHOUT_CONTENT();
    // The head clamps its texture coordinates to the edges, so an opaque edge
    // pixel would smear over the whole back of the ball.
    for (const std::string& n : textureNames()) {
        if (n == "pistol" || n == "bazooka") continue;
        cBitmap b;
        ASSERT_TRUE(b.loadFromFile((dir() / "textures" / (n + ".bmp")).string())) << n;
        const int w = b.getWidth(), h = b.getHeight();
        for (int x = 0; x < w; x++) {
            EXPECT_EQ(b.getBitmapS()[x], kMagenta) << n << " bottom edge " << x;
            EXPECT_EQ(b.getBitmapS()[(h - 1) * w + x], kMagenta) << n << " top edge " << x;
        }
        for (int y = 0; y < h; y++) {
            EXPECT_EQ(b.getBitmapS()[y * w], kMagenta) << n << " left edge " << y;
            EXPECT_EQ(b.getBitmapS()[y * w + w - 1], kMagenta) << n << " right edge " << y;
        }
        const int keyed = countWhere(b, kMagenta);
        EXPECT_GT(keyed, w * h / 2) << n << ": the ball should mostly show through";
        EXPECT_LT(keyed, w * h) << n << ": nothing painted";
    }
}

TEST(ContentPictures, BlinkClosesOverTheSevenFrames) {
    SKIP_WITHOUT_CONTENT();
    int before = 1 << 30;
    for (int i = 1; i <= 7; i++) {
        cBitmap b;
        ASSERT_TRUE(b.loadFromFile((dir() / "textures" / ("wink" + std::to_string(i) + ".bmp")).string()));
        const int shown = b.getWidth() * b.getHeight() - countWhere(b, kMagenta);
        EXPECT_LT(shown, before) << "frame " << i << " is not more closed than the one before";
        before = shown;
    }
}

TEST(ContentPictures, MoodFramesAnimate) {
    SKIP_WITHOUT_CONTENT();
    for (const char* mood : {"angry", "laught", "cry", "talk"}) {
        std::vector<cBitmap> frames(7);
        for (int i = 0; i < 7; i++)
            ASSERT_TRUE(frames[size_t(i)].loadFromFile(
                (dir() / "textures" / (std::string(mood) + std::to_string(i + 1) + ".bmp")).string()));
        int changes = 0;
        for (int i = 0; i < 7; i++) changes += !samePixels(frames[size_t(i)], frames[size_t((i + 1) % 7)]);
        EXPECT_GE(changes, 5) << mood << " barely moves";
    }
}

TEST(ContentPictures, FontIsPureWhiteOnPureBlackInTheGrid) {
    SKIP_WITHOUT_CONTENT();
    cBitmap b;
    expectBmp(dir() / "graphics" / "fonta.bmp", b);
    ASSERT_EQ(b.getWidth(), 256);
    ASSERT_EQ(b.getHeight(), 256);
    const sRGBA black(0, 0, 0, 255), white(255, 255, 255, 255);
    EXPECT_EQ(countWhere(b, black) + countWhere(b, white), 256 * 256) << "grey pixels show as boxes in the game";
    // Cell i (left to right, top to bottom) holds character i + 32: every
    // printable character but the blank has ink, and none spills into the
    // cell's outer pixel ring, which filtering would bleed into the neighbours.
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
        if (code > 32 && code < 127)
            EXPECT_GT(ink, 0) << "character " << code << " has no glyph";
        else
            EXPECT_EQ(ink, 0) << "character " << code << " should be empty";
    }
}

TEST(ContentPictures, InterfacePicturesLoadAndIconsFitTheWeaponBoxes) {
    SKIP_WITHOUT_CONTENT();
    cBitmap menu;
    expectBmp(dir() / "graphics" / "cornpoppy.bmp", menu);
    EXPECT_GE(menu.getWidth(), 256);
    for (const char* icon : {"grenade.bmp", "rocket.bmp"}) {
        cBitmap b;
        expectBmp(dir() / "graphics" / icon, b);
        // The panel draws the icons from 2 pixels inside a 42 x 30 box.
        EXPECT_LE(b.getWidth(), 40) << icon;
        EXPECT_LE(b.getHeight(), 28) << icon;
    }
}
