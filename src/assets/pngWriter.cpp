// PNG output on libpng; its errors come back through longjmp, so nothing here owns
// anything that a jump could leak: the file and the write struct are freed on both paths.
#include "assets/pngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {

// Everything a longjmp may skip over lives here, outside the setjmp frame.
struct PngFile {
    FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngFile() {
        png_destroy_write_struct(&png, &info);
        if (file) std::fclose(file);
    }
};

bool encode(PngFile& out, int width, int height, const std::vector<uint8_t>& rgb) {
    if (setjmp(png_jmpbuf(out.png))) return false;
    png_init_io(out.png, out.file);
    png_set_IHDR(out.png, out.info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(out.png, out.info);
    const size_t rowBytes = size_t(width) * 3;
    for (int y = 0; y < height; ++y)
        png_write_row(out.png, rgb.data() + size_t(y) * rowBytes);
    png_write_end(out.png, nullptr);
    return true;
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    // libpng refuses rows wider than this; checking first keeps the product below in range.
    if (width <= 0 || height <= 0 || width > PNG_USER_WIDTH_MAX || height > PNG_USER_HEIGHT_MAX ||
        rgb.size() != size_t(width) * size_t(height) * 3)
        return false;
    bool ok = false;
    {
        PngFile out;
        out.file = std::fopen(path.c_str(), "wb");
        if (!out.file) return false;
        out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (out.png) out.info = png_create_info_struct(out.png);
        ok = out.info && encode(out, width, height, rgb) && std::fflush(out.file) == 0 && !std::ferror(out.file);
        if (out.file && std::fclose(out.file) != 0) ok = false;
        out.file = nullptr;
    }
    if (!ok) std::remove(path.c_str());
    return ok;
}
