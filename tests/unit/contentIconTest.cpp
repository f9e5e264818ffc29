// The generated desktop icon: a PNG of each shipped size, the right way up.
#include "contentTestSupport.h"

#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

using namespace contentTest;

TEST(ContentIcon, EverySizeIsASquarePngWithTheSkyOnTopAndTheBallInTheMiddle) {
    SKIP_WITHOUT_CONTENT();
    for (int size : {48, 64, 128, 256}) {
        const std::string path = (dir() / "icons" / ("orbix-tal-" + std::to_string(size) + ".png")).string();
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << path;
        image.format = PNG_FORMAT_RGB;
        std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << path;
        ASSERT_EQ(int(image.width), size);
        ASSERT_EQ(int(image.height), size);
        auto pixel = [&](int x, int y) { return &rgb[(size_t(y) * size + x) * 3]; };  // y from the top
        const uint8_t* sky = pixel(1, 1);
        const uint8_t* grass = pixel(1, size - 2);
        const uint8_t* ball = pixel(size / 5, size * 3 / 5);  // the red cheek, left of the face
        EXPECT_GT(sky[2], sky[0]) << path;
        EXPECT_GT(grass[1], grass[2]) << path;
        EXPECT_GT(ball[0], 2 * ball[2]) << path;
    }
}
