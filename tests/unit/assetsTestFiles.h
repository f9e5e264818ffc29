// Scratch folders and small hand-made content files for the asset tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace assetsTest {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir()
    {
        static int counter = 0;
        path = std::filesystem::temp_directory_path() /
               ("orbix-assets-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

// Runs with the working folder changed, as the game reads its content by relative paths.
class WorkingDir {
public:
    explicit WorkingDir(const std::filesystem::path& to) : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(to);
    }
    ~WorkingDir() { std::filesystem::current_path(previous); }
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;

private:
    std::filesystem::path previous;
};

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void put16(std::string& s, uint16_t v)
{
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>(v >> 8);
}

inline void put32(std::string& s, uint32_t v)
{
    put16(s, static_cast<uint16_t>(v & 0xffff));
    put16(s, static_cast<uint16_t>(v >> 16));
}

// A mono 16-bit PCM sine of the given length, loud enough to be unmistakable in a mix.
inline std::string sineWav(int milliseconds, double hertz = 440.0, int rate = 22050)
{
    int frames = rate * milliseconds / 1000;
    std::string data;
    for (int i = 0; i < frames; ++i)
        put16(data, static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(2 * M_PI * hertz * i / rate))));
    std::string wav = "RIFF";
    put32(wav, static_cast<uint32_t>(36 + data.size()));
    wav += "WAVEfmt ";
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, 1);
    put32(wav, static_cast<uint32_t>(rate));
    put32(wav, static_cast<uint32_t>(rate * 2));
    put16(wav, 2);
    put16(wav, 16);
    wav += "data";
    put32(wav, static_cast<uint32_t>(data.size()));
    return wav + data;
}

// A 24-bit bottom-up BMP whose pixel (x, y) has the colour pixelAt(x, y) as {r, g, b}.
template <class F>
std::string bmp24(int w, int h, F pixelAt)
{
    int pad = (4 - (3 * w) % 4) % 4;
    std::string s = "BM";
    put32(s, static_cast<uint32_t>(54 + (3 * w + pad) * h));
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, static_cast<uint32_t>(w));
    put32(s, static_cast<uint32_t>(h));
    put16(s, 1);
    put16(s, 24);
    for (int i = 0; i < 6; ++i)
        put32(s, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            auto [r, g, b] = pixelAt(x, y);
            s += static_cast<char>(b);
            s += static_cast<char>(g);
            s += static_cast<char>(r);
        }
        s.append(static_cast<size_t>(pad), '\0');
    }
    return s;
}

} // namespace assetsTest
