// Scratch folders and small hand-made content files for the asset tests.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <unistd.h>

namespace assetsTest {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir() {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("orbix-assets-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchDir() { std::error_code ignored; std::filesystem::remove_all(path, ignored); }
    // A copy would remove the folder twice.
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

// Runs with the working folder changed, as the game reads its content by relative paths.
struct WorkingDir {
    explicit WorkingDir(const std::filesystem::path& to) { std::filesystem::current_path(to); }
    ~WorkingDir() { std::filesystem::current_path(previous); }
    const std::filesystem::path previous = std::filesystem::current_path();  // taken before the change
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    // A bare name is in the working folder, which exists.
    if (std::filesystem::path(path).has_parent_path())
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The whole file, or nothing when it cannot be read.
inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A point moved by a column-major 4 x 4 matrix, as a baked animation frame moves a corner.
inline std::array<float, 3> applyMatrix(const float* m, const float* p) {
    std::array<float, 3> r;
    for (int row = 0; row < 3; ++row) r[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
    return r;
}

// Each (value, byte count) pair little-endian.
inline std::string le(std::initializer_list<std::pair<uint32_t, int>> fields) {
    std::string s;
    for (auto [v, bytes] : fields)
        for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

// A mono 16-bit PCM sine of the given length, loud enough to be unmistakable in a mix.
inline std::string sineWav(int milliseconds, double hertz = 440.0, int rate = 22050) {
    int frames = rate * milliseconds / 1000;
    std::string data;
    for (int i = 0; i < frames; ++i)
        data += le({{static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(2 * M_PI * hertz * i / rate))), 2}});
    const auto size = static_cast<uint32_t>(data.size());
    const auto r = static_cast<uint32_t>(rate);
    return "RIFF" + le({{36 + size, 4}}) + "WAVEfmt " +
           le({{16, 4}, {1, 2}, {1, 2}, {r, 4}, {r * 2, 4}, {2, 2}, {16, 2}}) + "data" + le({{size, 4}}) + data;
}

// A 24-bit bottom-up BMP whose pixel (x, y) has the colour pixelAt(x, y) as {r, g, b}.
template <class F>
std::string bmp24(int w, int h, F pixelAt) {
    const int pad = (4 - (3 * w) % 4) % 4;
    const auto uw = static_cast<uint32_t>(w), uh = static_cast<uint32_t>(h);
    std::string s =
        "BM" + le({{54 + (3 * uw + pad) * uh, 4}, {0, 4}, {54, 4}, {40, 4}, {uw, 4}, {uh, 4}, {1, 2}, {24, 2}});
    s.append(24, '\0');  // compression, image size, resolution and palette: all zero
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            auto [r, g, b] = pixelAt(x, y);
            s += {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
        }
        s.append(static_cast<size_t>(pad), '\0');
    }
    return s;
}

} // namespace assetsTest
