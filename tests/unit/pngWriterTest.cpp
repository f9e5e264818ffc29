// writePng: what it writes reads back through libpng pixel for pixel; refused input leaves no file.
#include "assets/pngWriter.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

namespace {

// Reads an RGB PNG back with libpng's own reader: an empty vector when it cannot.
std::vector<uint8_t> readPng(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    width = int(image.width);
    height = int(image.height);
    return rgb;
}

TEST(PngWriter, ReadsBackTheSamePixelsTopRowFirst) {
    assetsTest::ScratchDir dir;
    // Wide enough for several deflate blocks' worth of varied bytes.
    const int w = 301, h = 257;
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 7 + i / 911);
    const std::string path = dir.file("pic.png");
    ASSERT_TRUE(writePng(path, w, h, rgb));
    int rw = 0, rh = 0;
    EXPECT_EQ(readPng(path, rw, rh), rgb);
    EXPECT_EQ(rw, w);
    EXPECT_EQ(rh, h);
}

TEST(PngWriter, RefusesBadSizesAndUnwritablePathsLeavingNoFile) {
    assetsTest::ScratchDir dir;
    const std::string path = dir.file("bad.png");
    const std::vector<uint8_t> sixPixels(18, 200);
    EXPECT_FALSE(writePng(path, 3, 3, sixPixels));
    EXPECT_FALSE(writePng(path, 0, 6, {}));
    EXPECT_FALSE(writePng(path, -2, -3, sixPixels));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(writePng(dir.file("no/such/folder.png"), 3, 2, sixPixels));
    EXPECT_TRUE(writePng(path, 3, 2, sixPixels));
}

}  // namespace
