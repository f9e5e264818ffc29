// The BMP file format of cBitmap: uncompressed 24-bit, little-endian.
#include "assets/cBitmap.h"

#include "assets/fileAlloc.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int64_t kFileHeaderSize = 14;
constexpr int64_t kInfoHeaderSize = 40;
constexpr int64_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

uint32_t le32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

void put32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; i++) p[i] = uint8_t(v >> (8 * i));
}
void put16(unsigned char* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

// Bytes of one stored row: three per pixel, padded to whole 4-byte words.
int64_t rowBytes(int64_t width) { return (3 * width + 3) / 4 * 4; }

}  // namespace

bool cBitmap::loadFromFile(const std::string& path) {
    std::string why;
    return loadFromFile(path, why);
}

bool cBitmap::loadFromFile(const std::string& path, std::string& why) {
    // Each refusal says what is wrong in words a level maker can act on.
    auto refuse = [&why](std::string reason) {
        why = std::move(reason);
        return false;
    };
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) return refuse(std::string("the file cannot be opened (") + std::strerror(errno) + ")");
    struct stat st;
    if (fstat(fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode)) return refuse("it is not a regular file");
    const int64_t fileSize = st.st_size;

    unsigned char h[kHeadersSize] = {};
    const size_t got = std::fread(h, 1, sizeof h, f.get());
    if (got < 2 || h[0] != 'B' || h[1] != 'M') return refuse("it is not a BMP picture");
    if (got < sizeof h) return refuse("the file is cut short");
    const int64_t dataOffset = le32(h + 10);
    const int64_t infoSize = le32(h + 14);
    const int64_t w = int32_t(le32(h + 18));
    const int64_t rawHeight = int32_t(le32(h + 22));
    const unsigned bitsPerPixel = le16(h + 28);
    const uint32_t compression = le32(h + 30);

    // Larger information headers (V4, V5, colour profiles) only add fields we
    // do not need; palettes and gaps are skipped through the data offset.
    if (infoSize < kInfoHeaderSize) return refuse("it has an old kind of BMP header");
    if (kFileHeaderSize + infoSize > fileSize) return refuse("the file is cut short");
    if (bitsPerPixel != 24) return refuse("it has " + std::to_string(bitsPerPixel) + " bits per pixel, not 24");
    if (compression != 0) return refuse("it is compressed; save it uncompressed");
    const bool topDown = rawHeight < 0;
    const int64_t ht = topDown ? -rawHeight : rawHeight;
    const std::string size = std::to_string(w) + " x " + std::to_string(ht) + " pixels";
    if (w < 1 || ht < 1) return refuse("it has no pixels (" + size + ")");
    if (w > kMaxSide || ht > kMaxSide)
        return refuse("it is too large: " + size + ", at most " + std::to_string(kMaxSide) + " a side");
    if (dataOffset < kFileHeaderSize + infoSize) return refuse("its pixels are said to start inside its header");
    const int64_t stride = rowBytes(w);
    // The last row's padding may be missing; its pixels may not.
    const int64_t dataSize = stride * (ht - 1) + 3 * w;
    if (dataOffset + dataSize > fileSize) return refuse("the file is cut short");

    std::vector<unsigned char> data;
    std::unique_ptr<sRGBA[]> out;
    if (!fileAlloc::assign(data, size_t(stride * ht), static_cast<unsigned char>(0)) ||
        !fileAlloc::array(out, size_t(w) * size_t(ht)))
        return refuse("there is not enough memory for it");
    if (std::fseek(f.get(), long(dataOffset), SEEK_SET) != 0) return refuse("the file cannot be read");
    if (std::fread(data.data(), 1, size_t(dataSize), f.get()) != size_t(dataSize))
        return refuse("the file cannot be read");

    for (int64_t row = 0; row < ht; row++) {
        const unsigned char* src = data.data() + row * stride;
        const int64_t y = topDown ? ht - 1 - row : row;
        sRGBA* dst = out.get() + y * w;
        for (int64_t x = 0; x < w; x++, src += 3) dst[x] = sRGBA(src[2], src[1], src[0], 255);
    }
    adopt(out.release(), int(w), int(ht));
    why.clear();
    return true;
}

bool cBitmap::saveToFile(const std::string& path) const {
    if (!pixels) return false;
    FilePtr f(std::fopen(path.c_str(), "wb"));
    if (!f) return false;
    const int64_t stride = rowBytes(width);
    unsigned char h[kHeadersSize] = {};
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, uint32_t(kHeadersSize + stride * height));
    put32(h + 10, uint32_t(kHeadersSize));
    put32(h + 14, uint32_t(kInfoHeaderSize));
    put32(h + 18, uint32_t(width));
    put32(h + 22, uint32_t(height));
    put16(h + 26, 1);
    put16(h + 28, 24);
    bool ok = std::fwrite(h, 1, sizeof h, f.get()) == sizeof h;

    std::vector<unsigned char> row(size_t(stride), 0);
    for (int y = 0; ok && y < height; y++) {
        const sRGBA* src = pixels + size_t(y) * width;
        for (int x = 0; x < width; x++) {
            row[size_t(3 * x)] = src[x].b;
            row[size_t(3 * x + 1)] = src[x].g;
            row[size_t(3 * x + 2)] = src[x].r;
        }
        ok = std::fwrite(row.data(), 1, row.size(), f.get()) == row.size();
    }
    // A full disk may only show when the buffered bytes are flushed.
    return std::fclose(f.release()) == 0 && ok;
}
