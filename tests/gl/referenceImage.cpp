#include "glTestSupport.h"

#include "assets/pngWriter.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr int kW = 800, kH = 600, kShrink = 4, kSmallW = kW / kShrink, kSmallH = kH / kShrink;
constexpr int kTolerance = 4;        // levels of 255, per channel
constexpr int kMayDiffer = 6;        // pixels of the 30,000 beyond it: the console's caret blinks in real time

const std::string kFolder = ORBIX_REFERENCE_DIR "/";

// The back buffer with each 4 x 4 block averaged, top row first.
std::vector<uint8_t> shrunkFrame() {
    std::vector<uint8_t> full(kW * kH * 3), small(kSmallW * kSmallH * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, full.data());
    for (int y = 0; y < kSmallH; ++y)
        for (int x = 0; x < kSmallW; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < kShrink; ++dy)
                    for (int dx = 0; dx < kShrink; ++dx)
                        sum += full[3 * ((kH - 1 - y * kShrink - dy) * kW + x * kShrink + dx) + c];
                small[3 * (y * kSmallW + x) + c] = uint8_t((sum + 8) / 16);
            }
    return small;
}

bool readPng(const std::string& path, std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

}  // namespace

void expectFrameLooksLike(const std::string& name) {
    const std::string here = std::string(reinterpret_cast<const char*>(glGetString(GL_RENDERER))) + " | " +
                             reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* update = std::getenv("ORBIX_UPDATE_REFERENCES");
    const bool updating = update && std::string(update) == "1";
    if (!updating) {
        std::ifstream in(kFolder + "renderer.txt");
        std::string made;
        ASSERT_TRUE(std::getline(in, made)) << "cannot read " << kFolder << "renderer.txt";
        if (made != here) GTEST_SKIP() << "the reference pictures were drawn by \"" << made << "\", this is \"" << here << "\"";
    }
    const std::vector<uint8_t> frame = shrunkFrame();
    const std::string path = kFolder + name + ".png";
    if (updating) {
        EXPECT_TRUE(writePng(path, kSmallW, kSmallH, frame)) << path;
        std::ofstream(kFolder + "renderer.txt") << here << "\n";
        return;
    }
    std::vector<uint8_t> want;
    ASSERT_TRUE(readPng(path, want) && want.size() == frame.size()) << "no 200 x 150 reference " << path << " (ORBIX_UPDATE_REFERENCES=1 draws it)";
    int differing = 0;
    for (size_t i = 0; i < frame.size(); i += 3) {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(frame[i + c] - want[i + c]));
        differing += worst > kTolerance;
    }
    if (differing <= kMayDiffer) return;
    const std::string out = std::string(ORBIX_BIN_DIR) + "/../reference-diff/" + name + ".png";
    std::filesystem::create_directories(std::filesystem::path(out).parent_path());
    writePng(out, kSmallW, kSmallH, frame);
    ADD_FAILURE() << name << ": " << differing << " of " << kSmallW * kSmallH << " pixels differ by more than "
                  << kTolerance << " from " << path << "; drawn now: " << out;
}
