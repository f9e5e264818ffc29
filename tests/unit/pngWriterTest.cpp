// writePng: what it writes reads back through libpng pixel for pixel; refused input leaves no file.
#include "assets/pngWriter.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

TEST(PngWriter, ReadsBackTheSamePixelsTopRowFirstAndRefusesBadInput) {
    assetsTest::ScratchDir dir;
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
    EXPECT_FALSE(writePng(bad, 3, 3, sixPixels));
    EXPECT_FALSE(writePng(bad, 0, 6, {}));
    EXPECT_FALSE(writePng(bad, -2, -3, sixPixels));
    EXPECT_FALSE(std::filesystem::exists(bad));
    EXPECT_FALSE(writePng(dir.file("no/such/folder.png"), 3, 2, sixPixels));
    EXPECT_TRUE(writePng(bad, 3, 2, sixPixels));
}
