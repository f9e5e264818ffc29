// Terrain costs: building a level's terrain, one water animation tick, the point queries and drawing.

#include "assets/cBitmap.h"
#include "benchSupport.h"
#include "world/cGameSetup.h"
#include "world/cMap.h"

namespace {

// A square map with a lake (about a tenth of it), a forest strip and scattered trees.
void makeMap(cBitmap& bmp, int side) {
    bmp.resize(side, side);
    sRGBA* px = bmp.getBitmapS();
    const int lake = side * 3 / 10;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            sRGBA p(120, 160, 60, 255);
            if (c >= side / 4 && c < side / 4 + lake && r >= side / 4 && r < side / 4 + lake) p = sRGBA(0, 0, 255, 255);
            else if (r < side / 16 || (r * 31 + c * 17) % 23 == 0) p = sRGBA(0, 0, 0, 255);
            px[r * side + c] = p;
        }
}

// A built terrain over makeMap's layout, with the trees always falling alike.
void buildMap(cMap& map, int side) {
    cBitmap bmp;
    makeMap(bmp, side);
    map.init(bmp);
}

void BM_MapBuild(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    cBitmap bmp;
    makeMap(bmp, side);
    cGameSetup gs;
    cMap map;
    map.setGS(&gs);
    for (auto _ : state) benchmark::DoNotOptimize(map.init(bmp));
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_MapBuild)->RangeMultiplier(2)->Range(64, 512)->Unit(benchmark::kMillisecond);

void BM_MapWaterTick(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    cMap map;
    buildMap(map, side);
    for (auto _ : state) map.update(5);
}
BENCHMARK(BM_MapWaterTick)->Arg(256)->Arg(512)->Unit(benchmark::kMicrosecond);

void BM_MapQueries(benchmark::State& state) {
    cMap map;
    buildMap(map, 256);
    float x = 0.5f;
    for (auto _ : state) {
        int kind;
        float h;
        map.getTerrainInfo(x, 255.9f - x, kind, h);
        benchmark::DoNotOptimize(kind);
        benchmark::DoNotOptimize(h);
        x += 0.37f;
        if (x > 256.0f) x -= 256.0f;
    }
}
BENCHMARK(BM_MapQueries);

// A GL context for the drawing benchmarks: the window another benchmark opened, or one of our own.
bool haveContext() {
    if (glutGet(GLUT_INIT_STATE) && glutGetWindow() != 0) return true;
    return openBenchWindow(64, 64, "orbix-bench map") != 0;
}

// The first frame after a build compiles the ground into its display list.
void BM_MapGroundCompile(benchmark::State& state) {
    if (!drawable(state, haveContext())) return;
    const int side = static_cast<int>(state.range(0));
    cBitmap bmp;
    makeMap(bmp, side);
    cMap map;
    for (auto _ : state) {
        state.PauseTiming();
        map.init(bmp);
        state.ResumeTiming();
        map.renderTerrain(nullptr);
        glFinish();
    }
    map.releaseGL();
}
BENCHMARK(BM_MapGroundCompile)->Arg(64)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);

// One frame of terrain: the ground list and the water over a view of about 60 x 40 cells.
void BM_MapDrawFrame(benchmark::State& state) {
    if (!drawable(state, haveContext())) return;
    const int side = static_cast<int>(state.range(0));
    cMap map;
    buildMap(map, side);
    const cPoint view[2] = {cPoint(side / 4.0, side / 4.0), cPoint(side / 4.0 + 60.0, side / 4.0 + 40.0)};
    for (auto _ : state) {
        map.renderTerrain(view);
        map.renderWater();
        glFinish();
    }
    map.releaseGL();
}
BENCHMARK(BM_MapDrawFrame)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

}  // namespace
