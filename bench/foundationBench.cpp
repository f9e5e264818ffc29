// Timings of the per-tick collision grid and of the bitmap work done while
// loading: reading a map-sized BMP, the edge fill of keyed textures, the
// minimap resample.
#include "assets/cBitmap.h"
#include "world/cColision.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void fillNoise(cBitmap& b) {
    unsigned v = 12345;
    sRGBA* p = b.getBitmapS();
    for (int i = 0; i < b.getWidth() * b.getHeight(); i++) {
        v = v * 1103515245u + 12345u;
        p[i] = sRGBA(uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), (v >> 7) & 1 ? 255 : 0);
    }
}

// One tick's use of the grid on a 256 x 256 map: clear, 60 units register, 200 bullet look-ups.
void BM_ColisionTick(benchmark::State& state) {
    cColision grid;
    grid.resize(256, 256);
    for (auto _ : state) {
        grid.clear();
        for (int u = 0; u < 60; u++) grid.putObject((u * 37) % 256, (u * 91) % 256, u + 1, 0);
        int hits = 0;
        for (int b = 0; b < 200; b++) hits += grid.getObject((b * 53) % 300 - 20, (b * 29) % 256) > 0;
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_ColisionTick);

void BM_BitmapLoad(benchmark::State& state) {
    const int side = int(state.range(0));
    const std::string path = "/tmp/orbix-bench-" + std::to_string(::getpid()) + ".bmp";
    {
        cBitmap b(side, side);
        fillNoise(b);
        if (!b.saveToFile(path)) state.SkipWithError("cannot write the test file");
    }
    for (auto _ : state) {
        cBitmap b;
        benchmark::DoNotOptimize(b.loadFromFile(path));
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 3);
}
BENCHMARK(BM_BitmapLoad)->Arg(256)->Arg(1024);

// The keying of a face texture: colour key, then three passes of the edge fill.
void BM_BitmapKeyAndEdgeFill(benchmark::State& state) {
    const int side = int(state.range(0));
    cBitmap src(side, side);
    fillNoise(src);
    for (auto _ : state) {
        state.PauseTiming();
        cBitmap b(side, side);
        std::copy_n(src.getBitmapS(), side * side, b.getBitmapS());
        state.ResumeTiming();
        b.setAlpha(255, 0, 255, 0);
        b.aa(3);
    }
}
BENCHMARK(BM_BitmapKeyAndEdgeFill)->Arg(128)->Arg(512);

void BM_BitmapStretchTo64(benchmark::State& state) {
    cBitmap src(512, 512);
    fillNoise(src);
    for (auto _ : state) {
        state.PauseTiming();
        cBitmap b(512, 512);
        std::copy_n(src.getBitmapS(), 512 * 512, b.getBitmapS());
        state.ResumeTiming();
        b.stretch(64);
    }
}
BENCHMARK(BM_BitmapStretchTo64);

}  // namespace
