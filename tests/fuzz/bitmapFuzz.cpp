// libFuzzer target: any bytes as a BMP file load cleanly or are refused; a loaded one survives every operation.
#include "assets/cBitmap.h"
#include "fuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const cScratchFolder folder("bitmapFuzz", {});
    if (!fuzzWriteFile("fuzz.bmp", data, size)) return 0;
    cBitmap b;
    if (b.loadFromFile("fuzz.bmp") && b.getWidth() * b.getHeight() <= 1 << 20) {
        b.setAlpha(255, 0, 255, 0);
        b.aa(2);
        b.swap();
        b.stretch(64);
    }
    return 0;
}
