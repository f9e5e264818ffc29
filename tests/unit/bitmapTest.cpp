// cBitmap files and pixel operations, the PNG writer, and loaders refused the memory a file's counts ask for.
#include "assets/cBitmap.h"
#include "assets/cMesh.h"
#include "assets/cTexture.h"
#include "assets/fileAlloc.h"
#include "assets/pngWriter.h"

#include "aseText.h"

#include "assetsTestFiles.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cerrno>
#include <cstdio>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using assetsTest::fileBytes;
using assetsTest::writeFile;

namespace {

void put32(std::string& b, size_t at, uint32_t v) { b.replace(at, 4, assetsTest::le({{v, 4}})); }

// A bitmap whose pixels all differ, so misplaced bytes show.
void fillPattern(cBitmap& b) {
    for (int y = 0; y < b.getHeight(); y++)
        for (int x = 0; x < b.getWidth(); x++)
            b.setColor(x, y, uint8_t(x * 40 + 1), uint8_t(y * 30 + 2), uint8_t(x * 7 + y * 11 + 3), 9);
}

// Same size and colours; what was saved comes back opaque.
void expectSamePicture(const cBitmap& a, const cBitmap& b, const std::string& what) {
    ASSERT_EQ(std::make_pair(a.getWidth(), a.getHeight()), std::make_pair(b.getWidth(), b.getHeight())) << what;
    for (int i = 0; i < a.getWidth() * a.getHeight(); i++) {
        sRGBA p = a.getBitmapS()[i];
        p.a = 255;
        ASSERT_EQ(p, b.getBitmapS()[i]) << what << " pixel " << i;
    }
}

// Set to make the next fclose fail, as on a disk that reports a full quota only when the file is closed.
bool failNextClose = false;

struct BitmapFile : ::testing::Test {
    assetsTest::ScratchDir dir;
};

}  // namespace

// Stands in for the C library's fclose in this test program, failing once on demand.
extern "C" int fclose(FILE* file) {
    using fcloseFn = int (*)(FILE*);
    static const fcloseFn real = reinterpret_cast<fcloseFn>(dlsym(RTLD_NEXT, "fclose"));
    const int closed = real(file);
    if (!failNextClose) return closed;
    failNextClose = false;
    errno = EIO;
    return EOF;
}

TEST_F(BitmapFile, RoundTripsEveryRowPaddingAndTheLayoutsOfOtherEditors) {
    for (int w = 1; w <= 5; w++) {
        cBitmap out(w, 3), in;
        fillPattern(out);
        ASSERT_TRUE(out.saveToFile(dir.file("pad.bmp")));
        const std::string bytes = fileBytes(dir.file("pad.bmp"));
        EXPECT_EQ(bytes.size(), size_t(54 + (3 * w + 3) / 4 * 4 * 3)) << "width " << w;
        EXPECT_EQ(bytes[54], char(out.getBitmapS()[0].b)) << "row 0 first, blue-green-red";
        ASSERT_TRUE(in.loadFromFile(dir.file("pad.bmp")));
        expectSamePicture(out, in, "width " + std::to_string(w));
    }
    cBitmap src(5, 4);
    fillPattern(src);
    ASSERT_TRUE(src.saveToFile(dir.file("plain.bmp")));
    const std::string plain = fileBytes(dir.file("plain.bmp"));
    // Negative height: rows stored top first.
    std::string topDown = plain.substr(0, 54);
    put32(topDown, 22, uint32_t(-4));
    for (size_t row = 0; row < 4; row++) topDown += plain.substr(54 + (3 - row) * 16, 16);
    for (const auto& [what, bytes] : {std::pair<const char*, std::string>{"top-down rows", topDown},
                                      {"last row's padding missing", plain.substr(0, plain.size() - 1)}}) {
        writeFile(dir.file("other.bmp"), bytes);
        cBitmap b;
        ASSERT_TRUE(b.loadFromFile(dir.file("other.bmp"))) << what;
        expectSamePicture(src, b, what);
    }
}

TEST_F(BitmapFile, RefusedFilesSayWhyAndLeaveTheBitmapUntouched) {
    ASSERT_TRUE(cBitmap(3, 2).saveToFile(dir.file("good.bmp")));
    const std::string good = fileBytes(dir.file("good.bmp"));
    const struct {
        size_t at;  // offset of a 32-bit field to change, or 0 to change nothing
        uint32_t value;
        size_t keep;  // bytes of the file kept, 0 for all
        const char* why;  // the reason given, in a level maker's words
    } cases[] = {
        {1, 'A', 0, "it is not a BMP picture"},
        {0, 0, 54 + 12 + 5, "the file is cut short"},
        {28, 0x118, 0, "it has 280 bits per pixel, not 24"},  // the high byte counts
        {30, 1, 0, "it is compressed; save it uncompressed"},
        {18, 0, 0, "it has no pixels (0 x 2 pixels)"},
        {22, 0, 0, "it has no pixels (3 x 0 pixels)"},
        {14, 12, 0, "it has an old kind of BMP header"},
        {22, 0x80000000u, 0, "it is too large: 3 x 2147483648 pixels, at most 16384 a side"},
        {18, 16385, 0, "it is too large: 16385 x 2 pixels, at most 16384 a side"},
        {14, 0x7fffffff, 0, "the file is cut short"},
        {10, 0xfffffff0u, 0, "the file is cut short"},
        {10, 20, 0, "its pixels are said to start inside its header"},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        if (c.at) put32(bytes, c.at, c.value);
        if (c.keep) bytes.resize(c.keep);
        writeFile(dir.file("bad.bmp"), bytes);
        cBitmap b(2, 2);
        b.setColor(1, 1, 10, 20, 30, 40);
        std::string why;
        EXPECT_FALSE(b.loadFromFile(dir.file("bad.bmp"), why)) << c.why;
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(b.getBitmapS()[3], sRGBA(10, 20, 30, 40)) << c.why;
    }
    cBitmap b;
    for (const std::string& path : {dir.file("missing.bmp"), dir.path.string()})
        EXPECT_FALSE(b.loadFromFile(path)) << path;
    EXPECT_FALSE(b.saveToFile(dir.file("no/such/dir.bmp")));
    failNextClose = true;  // a full disk may show only when the buffered bytes are flushed
    EXPECT_FALSE(b.saveToFile(dir.file("closed.bmp")));
}

// writePng: what it writes reads back through libpng pixel for pixel; refused input leaves no file.
TEST_F(BitmapFile, PngReadsBackTheSamePixelsTopRowFirstAndBadInputIsRefused) {
    // Wide enough for several deflate blocks' worth of varied bytes.
    const int w = 301, h = 257;
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 7 + i / 911);
    const std::string path = dir.file("pic.png");
    ASSERT_TRUE(writePng(path, w, h, rgb));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> back(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr));
    EXPECT_EQ(int(image.width) * 1000 + int(image.height), w * 1000 + h);
    EXPECT_EQ(back, rgb);

    const std::string bad = dir.file("bad.png");
    const std::vector<uint8_t> sixPixels(18, 200);
    EXPECT_FALSE(writePng(bad, 3, 3, sixPixels) || writePng(bad, 0, 6, {}) || writePng(bad, -2, -3, sixPixels));
    EXPECT_FALSE(fs::exists(bad));
    EXPECT_FALSE(writePng(dir.file("no/such/folder.png"), 3, 2, sixPixels));
    failNextClose = true;  // the last bytes may reach the disk only when the file is closed
    EXPECT_FALSE(writePng(dir.file("closed.png"), 3, 2, sixPixels));
    EXPECT_TRUE(writePng(bad, 3, 2, sixPixels));
}

// The loaders answer false, leaving their object as their contract says, when memory is refused.
TEST_F(BitmapFile, RefusedMemoryIsAFailureNotAnException) {
    // 100000 faces declared, and room in the file for that many lines: only the
    // memory, 3.6 MB for each face array, says no.
    using namespace aseText;
    writeFile(dir.file("big.ASE"),
              scene() + geomObject("Big", nodeTm("Big") + meshBlock(squareVerts(), squareFaces(), "", unset, 100000)) +
                  std::string(2 << 20, ' ') + "\n");
    ASSERT_TRUE(cBitmap(1024, 1024).saveToFile(dir.file("big.bmp")));
    fileAlloc::setLimit(3 << 20);
    cMesh mesh;
    EXPECT_FALSE(mesh.loadFromASE(dir.file("big.ASE").c_str(), 0, nullptr));
    EXPECT_TRUE(mesh.isEmpty());
    EXPECT_EQ(mesh.getLoadError(), "not enough memory for the vertex and face counts");
    cBitmap bitmap(2, 3);
    std::string why;
    EXPECT_FALSE(bitmap.loadFromFile(dir.file("big.bmp"), why));
    EXPECT_EQ(std::pair(why, bitmap.getWidth()), std::pair(std::string("there is not enough memory for it"), 2));
    fileAlloc::setLimit(std::numeric_limits<size_t>::max());
}

// Files written by other programs: the valid 24-bit ones load with their real pixels, the rest are refused.
TEST(BitmapSuite, LoadsValidFilesAndRefusesTheRest) {
    const fs::path root = fs::path(ORBIX_TESTDATA_DIR) / "bmp";
    if (!fs::is_directory(root)) GTEST_SKIP() << "no test data at " << root;
    const std::vector<std::string> valid = {"g/rgb24.bmp",     "g/rgb24pal.bmp",   "q/rgb24largepal.bmp",
                                            "q/rgb24prof.bmp", "q/rgb24prof2.bmp", "q/rgb24lprof.bmp"};
    cBitmap reference;
    ASSERT_TRUE(reference.loadFromFile((root / "g/rgb24.bmp").string()));
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".bmp") continue;
        files++;
        const std::string rel = fs::relative(entry.path(), root).string();
        cBitmap b;
        const bool ok = b.loadFromFile(entry.path().string());
        ASSERT_EQ(ok, std::find(valid.begin(), valid.end(), rel) != valid.end()) << rel;
        if (!ok) continue;
        ASSERT_EQ(b.getWidth() * 1000 + b.getHeight(), 127064) << rel;
        for (int i = 0; i < 127 * 64; i++) {
            sRGBA p = b.getBitmapS()[i];
            if (rel == "q/rgb24prof2.bmp") std::swap(p.r, p.g);
            ASSERT_EQ(p, reference.getBitmapS()[i]) << rel << " pixel " << i;
        }
    }
    EXPECT_GT(files, 50);
}

TEST(Bitmap, SizesStayAtLeastOneEmptiedBitmapsIgnoreEveryOperationAndColourKeysMatchExactly) {
    cBitmap a(0, 0);
    EXPECT_EQ(a.getBitmapS()[0], sRGBA(0, 0, 0, 255));
    a.resize(-5, 3);
    EXPECT_EQ(a.getWidth() * 10 + a.getHeight(), 13);
    a.dispose();  // the destructor disposes once more
    a.swap();
    a.aa(2);
    a.stretch(4);
    a.setAlpha(0);
    a.setColor(0, 0, 1, 1, 1, 1);
    EXPECT_TRUE(a.getBitmapS() == nullptr && a.getWidth() == 0);
    // Colour keys match exactly, and setColor ignores coordinates outside the picture: one
    // past the row's end would land on the next row's first pixel.
    cBitmap b(3, 2);
    for (int x : {0, 2}) b.setColor(x, 0, 255, 0, 255, 255);
    b.setColor(1, 0, 255, 0, 254, 255);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}}) b.setColor(x, y, 1, 1, 1, 1);
    EXPECT_EQ(b.getBitmapS()[3], sRGBA(0, 0, 0, 255));
    b.setAlpha(255, 0, 255, 0);
    b.setColorWhereAlpha(9, 8, 7, 0);
    EXPECT_EQ(std::vector<sRGBA>(b.getBitmapS(), b.getBitmapS() + 3),
              (std::vector<sRGBA>{sRGBA(9, 8, 7, 0), sRGBA(255, 0, 254, 255), sRGBA(9, 8, 7, 0)}));
}

// cTexture's keying: magenta turns clear and the edge fill grows a fringe one pixel a pass into it.
TEST(Bitmap, KeyingClearsMagentaAndTheEdgeFillGrowsOnePixelAPass) {
    cBitmap b(12, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) b.setColor(x, y, 255, 0, 255, 17);
    b.setColor(2, 2, 255, 127, 63, 17);  // one short of a multiple of eight: sums that start at 1 show
    b.setColor(8, 10, 255, 127, 63, 17);  // beside the bottom border
    cTexture::keyBitmap(b);
    auto at = [&](int x, int y) { return b.getBitmapS()[12 * y + x]; };
    EXPECT_EQ(at(2, 2), sRGBA(255, 127, 63, 255));  // what is not magenta turns opaque
    // One opaque neighbour of eight: the sum is divided by eight, not by the opaque ones.
    EXPECT_EQ(at(3, 2), sRGBA(31, 15, 7, 31));
    EXPECT_GT(at(5, 2).a, 0);   // three passes reach three pixels away,
    EXPECT_EQ(at(6, 2).a, 0);   // and no further: each pass reads the one before
    EXPECT_EQ(at(0, 2).a + at(8, 11).a, 0);   // the borders are never filled
}

TEST(Bitmap, SwapTurnsRowsAndStretchTakesNearestPixels) {
    cBitmap b(4, 4);
    fillPattern(b);
    const std::vector<sRGBA> src(b.getBitmapS(), b.getBitmapS() + 16);
    b.swap();
    EXPECT_EQ(b.getBitmapS()[1], src[12 + 1]);
    b.swap();
    b.stretch(2);
    ASSERT_EQ(b.getWidth() * 10 + b.getHeight(), 22);
    for (auto [to, from] : {std::pair{0, 0}, {1, 2}, {2, 8}, {3, 10}}) EXPECT_EQ(b.getBitmapS()[to], src[from]) << to;
    // Up-sampling a tiny picture to a large square stays inside the source.
    cBitmap c(3, 1);
    fillPattern(c);
    const sRGBA last = c.getBitmapS()[2];
    c.stretch(5000);
    EXPECT_EQ(c.getBitmapS()[4999], last);
    c.stretch(0);
    EXPECT_EQ(c.getWidth(), 1);
}
