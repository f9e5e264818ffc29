// libFuzzer target: any bytes as a BMP file must load cleanly or be refused,
// and a loaded bitmap must survive every pixel operation.
#include "assets/cBitmap.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/orbix-bitmapFuzz-" + std::to_string(::getpid()) + ".bmp";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    cBitmap b;
    if (b.loadFromFile(path) && b.getWidth() * b.getHeight() <= 1 << 20) {
        b.setAlpha(255, 0, 255, 0);
        b.aa(2);
        b.swap();
        b.stretch(64);
    }
    return 0;
}
