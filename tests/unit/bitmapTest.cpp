// cBitmap: file round trip and padding, refused files, pixel operations.
#include "assets/cBitmap.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class BitmapFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("orbix-bmp-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const char* name) const { return (dir / name).string(); }

    std::vector<unsigned char> readAll(const std::string& p) const {
        std::ifstream in(p, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }
    void writeAll(const std::string& p, const std::vector<unsigned char>& bytes) const {
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    fs::path dir;
};

void put32(std::vector<unsigned char>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) b[at + i] = uint8_t(v >> (8 * i));
}

// A marked bitmap whose pixels are all different, so misplaced bytes show.
void fillPattern(cBitmap& b) {
    for (int y = 0; y < b.getHeight(); y++)
        for (int x = 0; x < b.getWidth(); x++)
            b.setColor(x, y, uint8_t(x * 40 + 1), uint8_t(y * 30 + 2), uint8_t(x * 7 + y * 11 + 3), 9);
}

void expectSameRGB(const cBitmap& a, const cBitmap& b) {
    ASSERT_EQ(a.getWidth(), b.getWidth());
    ASSERT_EQ(a.getHeight(), b.getHeight());
    for (int i = 0; i < a.getWidth() * a.getHeight(); i++) {
        const sRGBA &p = a.getBitmapS()[i], &q = b.getBitmapS()[i];
        ASSERT_EQ(p.r, q.r) << "pixel " << i;
        ASSERT_EQ(p.g, q.g) << "pixel " << i;
        ASSERT_EQ(p.b, q.b) << "pixel " << i;
    }
}

}  // namespace

TEST_F(BitmapFile, RoundTripPadsRowsForWidthsOneToFour) {
    const int padding[] = {0, 1, 2, 3, 0};
    for (int w = 1; w <= 4; w++) {
        cBitmap out(w, 3);
        fillPattern(out);
        std::string p = path("pad.bmp");
        ASSERT_TRUE(out.saveToFile(p));
        auto bytes = readAll(p);
        ASSERT_EQ(bytes.size(), size_t(54 + (3 * w + padding[w]) * 3)) << "width " << w;
        EXPECT_EQ(bytes[10], 54);
        EXPECT_EQ(bytes[14], 40);
        EXPECT_EQ(bytes[28], 24);
        // First stored pixel is row 0, column 0, in blue-green-red order.
        EXPECT_EQ(bytes[54], out.getBitmapS()[0].b);
        EXPECT_EQ(bytes[56], out.getBitmapS()[0].r);

        cBitmap in;
        ASSERT_TRUE(in.loadFromFile(p));
        expectSameRGB(out, in);
        for (int i = 0; i < w * 3; i++) EXPECT_EQ(in.getBitmapS()[i].a, 255);
    }
}

TEST_F(BitmapFile, HonoursDataOffsetLargerHeaderAndTopDownRows) {
    cBitmap src(5, 4);
    fillPattern(src);
    ASSERT_TRUE(src.saveToFile(path("plain.bmp")));
    auto plain = readAll(path("plain.bmp"));

    // A 124-byte information header plus a 16-byte palette before the pixels,
    // the way image editors write them.
    std::vector<unsigned char> big(plain.begin(), plain.begin() + 54);
    big.resize(14 + 124 + 16, 0x5a);
    put32(big, 10, uint32_t(big.size()));
    put32(big, 14, 124);
    big.insert(big.end(), plain.begin() + 54, plain.end());
    writeAll(path("big.bmp"), big);
    cBitmap a;
    ASSERT_TRUE(a.loadFromFile(path("big.bmp")));
    expectSameRGB(src, a);

    // Negative height: rows stored top first, loaded with row 0 at the bottom.
    std::vector<unsigned char> td(plain.begin(), plain.begin() + 54);
    put32(td, 22, uint32_t(-4));
    const size_t stride = 16;
    td.resize(54 + 4 * stride);
    for (size_t row = 0; row < 4; row++)
        std::copy_n(plain.begin() + 54 + (3 - row) * stride, stride, td.begin() + 54 + row * stride);
    writeAll(path("td.bmp"), td);
    cBitmap b;
    ASSERT_TRUE(b.loadFromFile(path("td.bmp")));
    expectSameRGB(src, b);

    // The final row's padding may be missing.
    plain.resize(plain.size() - 1);
    writeAll(path("nopad.bmp"), plain);
    cBitmap c;
    ASSERT_TRUE(c.loadFromFile(path("nopad.bmp")));
    expectSameRGB(src, c);
}

TEST_F(BitmapFile, RefusedFilesLeaveTheBitmapUntouched) {
    cBitmap src(3, 2);
    fillPattern(src);
    ASSERT_TRUE(src.saveToFile(path("good.bmp")));
    const auto good = readAll(path("good.bmp"));

    struct Case {
        const char* what;
        size_t at;  // offset of a 32-bit field to change, or 0 to change nothing
        uint32_t value;
        size_t keep;  // bytes of the file kept, 0 for all
        const char* why;  // the reason given, in a level maker's words
    };
    const Case cases[] = {
        {"empty file", 0, 0, 1, "it is not a BMP picture"},
        {"shorter than the headers", 0, 0, 53, "the file is cut short"},
        {"pixels cut short", 0, 0, 54 + 12 + 5, "the file is cut short"},
        {"16 bits per pixel", 28, 16, 0, "it has 16 bits per pixel, not 24"},
        {"32 bits per pixel", 28, 32, 0, "it has 32 bits per pixel, not 24"},
        {"compressed", 30, 1, 0, "it is compressed; save it uncompressed"},
        {"bitfields", 30, 3, 0, "it is compressed; save it uncompressed"},
        {"width 0", 18, 0, 0, "it has no pixels (0 x 2 pixels)"},
        {"negative width", 18, uint32_t(-3), 0, "it has no pixels (-3 x 2 pixels)"},
        {"height 0", 22, 0, 0, "it has no pixels (3 x 0 pixels)"},
        {"most negative height", 22, 0x80000000u, 0, "it is too large: 3 x 2147483648 pixels, at most 16384 a side"},
        {"width beyond the limit", 18, 16385, 0, "it is too large: 16385 x 2 pixels, at most 16384 a side"},
        {"height beyond the limit", 22, 16385, 0, "it is too large: 3 x 16385 pixels, at most 16384 a side"},
        {"pixels would exceed the file", 22, 3, 0, "the file is cut short"},
        {"huge size", 18, 3000000, 0, "it is too large: 3000000 x 2 pixels, at most 16384 a side"},
        {"information header too small", 14, 12, 0, "it has an old kind of BMP header"},
        {"information header beyond the file", 14, 0x7fffffff, 0, "the file is cut short"},
        {"data offset inside the headers", 10, 20, 0, "its pixels are said to start inside its header"},
        {"data offset past the end", 10, 0xfffffff0u, 0, "the file is cut short"},
    };
    for (const Case& c : cases) {
        auto bytes = good;
        if (c.at) put32(bytes, c.at, c.value);
        if (c.keep == 1) bytes.clear();
        else if (c.keep) bytes.resize(c.keep);
        writeAll(path("bad.bmp"), bytes);
        cBitmap b(2, 2);
        b.setColor(1, 1, 10, 20, 30, 40);
        sRGBA* before = b.getBitmapS();
        std::string why;
        EXPECT_FALSE(b.loadFromFile(path("bad.bmp"), why)) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
        EXPECT_EQ(b.getBitmapS(), before) << c.what;
        EXPECT_EQ(b.getWidth(), 2) << c.what;
        EXPECT_EQ(b.getBitmapS()[3], sRGBA(10, 20, 30, 40)) << c.what;
    }

    auto sig = good;
    sig[1] = 'A';
    writeAll(path("sig.bmp"), sig);
    cBitmap b;
    EXPECT_FALSE(b.loadFromFile(path("sig.bmp")));
    EXPECT_FALSE(b.loadFromFile(path("missing.bmp")));
    EXPECT_FALSE(b.loadFromFile(dir.string()));  // a directory opens but is no file
    EXPECT_EQ(b.getWidth(), 1);
}

TEST_F(BitmapFile, SaveReportsAFileThatCannotBeWritten) {
    cBitmap b(2, 2);
    EXPECT_FALSE(b.saveToFile(path("no/such/dir.bmp")));
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(b.saveToFile("/dev/full"));
    }
}

// Files written by other programs: the valid 24-bit ones must load with their
// real pixels, everything else must be refused cleanly.
TEST(BitmapSuite, LoadsValidFilesAndRefusesTheRest) {
    const fs::path root = fs::path(ORBIX_TESTDATA_DIR) / "bmp";
    if (!fs::is_directory(root)) GTEST_SKIP() << "no test data at " << root;
    const std::vector<std::string> valid = {"g/rgb24.bmp",         "g/rgb24pal.bmp",     "q/rgb24largepal.bmp",
                                            "q/rgb24prof.bmp",     "q/rgb24prof2.bmp",   "q/rgb24lprof.bmp"};
    cBitmap reference;
    ASSERT_TRUE(reference.loadFromFile((root / "g/rgb24.bmp").string()));
    ASSERT_EQ(reference.getWidth(), 127);
    ASSERT_EQ(reference.getHeight(), 64);
    // A picture, not noise or a single colour: the left column differs from the right one.
    EXPECT_FALSE(reference.getBitmapS()[0] == reference.getBitmapS()[126]);

    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".bmp") continue;
        files++;
        std::string rel = fs::relative(entry.path(), root).string();
        cBitmap b;
        bool ok = b.loadFromFile(entry.path().string());
        bool shouldLoad = std::find(valid.begin(), valid.end(), rel) != valid.end();
        ASSERT_EQ(ok, shouldLoad) << rel;
        if (!ok) {
            EXPECT_EQ(b.getWidth(), 1) << rel;
            continue;
        }
        ASSERT_EQ(b.getWidth(), 127) << rel;
        ASSERT_EQ(b.getHeight(), 64) << rel;
        const bool swapped = rel == "q/rgb24prof2.bmp";
        for (int i = 0; i < 127 * 64; i++) {
            sRGBA p = b.getBitmapS()[i], q = reference.getBitmapS()[i];
            if (swapped) std::swap(p.r, p.g);
            ASSERT_EQ(p, q) << rel << " pixel " << i;
        }
    }
    EXPECT_GT(files, 50);
}

TEST(Bitmap, SizesAreNeverBelowOne) {
    cBitmap a(0, 0);
    EXPECT_EQ(a.getWidth(), 1);
    EXPECT_EQ(a.getHeight(), 1);
    EXPECT_EQ(a.getBitmapS()[0], sRGBA(0, 0, 0, 255));
    a.resize(-5, 3);
    EXPECT_EQ(a.getWidth(), 1);
    EXPECT_EQ(a.getHeight(), 3);
    a.dispose();
    a.dispose();
    EXPECT_EQ(a.getBitmapS(), nullptr);
    EXPECT_EQ(a.getWidth(), 0);
    // Operations on an emptied bitmap do nothing.
    a.swap();
    a.aa(2);
    a.stretch(4);
    a.setAlpha(0);
    a.setColor(0, 0, 1, 1, 1, 1);
    EXPECT_EQ(a.getBitmapS(), nullptr);
}

TEST(Bitmap, ColourKeysAndSetColorBounds) {
    cBitmap b(3, 1);
    b.setColor(0, 0, 255, 0, 255, 255);
    b.setColor(1, 0, 255, 0, 254, 255);
    b.setColor(2, 0, 255, 0, 255, 255);
    b.setColor(-1, 0, 1, 1, 1, 1);
    b.setColor(3, 0, 1, 1, 1, 1);
    b.setColor(0, 1, 1, 1, 1, 1);
    b.setAlpha(255, 0, 255, 0);
    EXPECT_EQ(b.getBitmapS()[0], sRGBA(255, 0, 255, 0));
    EXPECT_EQ(b.getBitmapS()[1], sRGBA(255, 0, 254, 255));
    EXPECT_EQ(b.getBitmapS()[2], sRGBA(255, 0, 255, 0));
    b.setColorWhereAlpha(9, 8, 7, 0);
    EXPECT_EQ(b.getBitmapS()[0], sRGBA(9, 8, 7, 0));
    EXPECT_EQ(b.getBitmapS()[1], sRGBA(255, 0, 254, 255));
    b.setAlpha(77);
    for (int i = 0; i < 3; i++) EXPECT_EQ(b.getBitmapS()[i].a, 77);
    EXPECT_EQ(b.getBitmap(), reinterpret_cast<unsigned char*>(b.getBitmapS()));
}

TEST(Bitmap, EdgeFillAveragesOpaqueNeighboursOnly) {
    cBitmap b(3, 3);
    for (int i = 0; i < 9; i++) b.getBitmapS()[i] = sRGBA(255, 255, 255, 255);
    b.getBitmapS()[4] = sRGBA(0, 0, 0, 0);
    b.aa(1);
    EXPECT_EQ(b.getBitmapS()[4], sRGBA(255, 255, 255, 255));

    // Four opaque neighbours: the divisor stays 8.
    for (int i = 0; i < 9; i++) b.getBitmapS()[i] = i % 2 ? sRGBA(255, 255, 255, 255) : sRGBA(50, 60, 70, 0);
    b.aa(1);
    EXPECT_EQ(b.getBitmapS()[4], sRGBA(127, 127, 127, 127));
    for (int i : {0, 2, 6, 8}) EXPECT_EQ(b.getBitmapS()[i], sRGBA(50, 60, 70, 0)) << i;
}

TEST(Bitmap, EdgeFillGrowsOnePixelAPassAndKeepsBorderAndOpaquePixels) {
    cBitmap b(7, 7);
    for (int i = 0; i < 49; i++) b.getBitmapS()[i] = sRGBA(0, 0, 0, 0);
    b.setColor(3, 3, 200, 100, 40, 255);
    b.setColor(0, 0, 1, 2, 3, 0);
    b.aa(0);
    EXPECT_EQ(b.getBitmapS()[8].a, 0);
    b.aa(1);
    EXPECT_EQ(b.getBitmapS()[7 * 2 + 2], sRGBA(25, 12, 5, 31));  // neighbour of the dot
    EXPECT_EQ(b.getBitmapS()[7 * 1 + 1].a, 0);                    // two away: not yet
    EXPECT_EQ(b.getBitmapS()[7 * 3 + 3], sRGBA(200, 100, 40, 255));
    b.aa(1);
    EXPECT_GT(b.getBitmapS()[7 * 1 + 1].a, 0);
    EXPECT_EQ(b.getBitmapS()[0], sRGBA(1, 2, 3, 0));  // border stays as it was
    EXPECT_EQ(b.getBitmapS()[7 * 3 + 3], sRGBA(200, 100, 40, 255));
}

TEST(Bitmap, SwapTurnsRowsAndTwiceRestores) {
    cBitmap b(2, 3);
    fillPattern(b);
    sRGBA top = b.getBitmapS()[2 * 2 + 1];
    b.swap();
    EXPECT_EQ(b.getBitmapS()[1], top);
    b.swap();
    EXPECT_EQ(b.getBitmapS()[5], top);
}

TEST(Bitmap, StretchTakesNearestSourcePixels) {
    cBitmap b(4, 4);
    fillPattern(b);
    std::vector<sRGBA> src(b.getBitmapS(), b.getBitmapS() + 16);
    b.stretch(2);
    ASSERT_EQ(b.getWidth(), 2);
    ASSERT_EQ(b.getHeight(), 2);
    EXPECT_EQ(b.getBitmapS()[0], src[0]);
    EXPECT_EQ(b.getBitmapS()[1], src[2]);
    EXPECT_EQ(b.getBitmapS()[2], src[8]);
    EXPECT_EQ(b.getBitmapS()[3], src[10]);

    // Up-sampling a tiny picture to a large square stays inside the source.
    cBitmap c(3, 1);
    fillPattern(c);
    sRGBA last = c.getBitmapS()[2];
    c.stretch(5000);
    EXPECT_EQ(c.getBitmapS()[4999], last);
    c.stretch(0);
    EXPECT_EQ(c.getWidth(), 1);
}
