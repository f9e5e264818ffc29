// Start-up loading costs: every model of the mesh container, and the whole texture set (needs a display).
#include "assets/cMeshCont.h"
#include "assets/cTexture.h"
#include "benchSupport.h"
#include "platform/multitexture.h"

#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The content sits beside the executables, where the game reads it from.
bool enterContent(benchmark::State& state, const char* folder)
{
    std::error_code ec;
    std::filesystem::current_path(ORBIX_BIN_DIR, ec);
    if (ec || !std::filesystem::is_directory(folder)) {
        state.SkipWithError("no content beside the executables; build tools/content first");
        return false;
    }
    return true;
}

// Progress lines would flood the report: they go nowhere while a benchmark runs.
class cQuietStderr {
public:
    cQuietStderr() : saved(dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~cQuietStderr()
    {
        std::fflush(stderr);
        if (saved >= 0) {
            dup2(saved, STDERR_FILENO);
            close(saved);
        }
    }
    cQuietStderr(const cQuietStderr&) = delete;
    cQuietStderr& operator=(const cQuietStderr&) = delete;

private:
    int saved;
};

bool openWindowOnce()
{
    static int opened = -1;
    if (opened < 0) {
        opened = openBenchWindow(64, 64, "orbix-bench") != 0 ? 1 : 0;
        if (opened == 1) resolveMultitexture();
    }
    return opened == 1;
}

void BM_LoadMeshContainer(benchmark::State& state)
{
    if (!enterContent(state, "models"))
        return;
    cQuietStderr quiet;
    for (auto _ : state) {
        cMeshCont meshes;
        meshes.load();
        benchmark::DoNotOptimize(meshes.ball[0][0].getNumFaces());
    }
}
BENCHMARK(BM_LoadMeshContainer)->Unit(benchmark::kMillisecond);

void BM_LoadTextureSet(benchmark::State& state)
{
    if (!enterContent(state, "textures"))
        return;
    if (!drawable(state, openWindowOnce())) return;
    cQuietStderr quiet;
    for (auto _ : state) {
        cTexture set;
        set.load();
        glFinish();
        state.PauseTiming();
        // The game keeps its textures for the whole run; here each round frees its own.
        glDeleteTextures(1, &set.pistol);
        glDeleteTextures(1, &set.bazooka);
        glDeleteTextures(1, &set.flame);
        glDeleteTextures(cTexture::numFrames, set.wink);
        glDeleteTextures(cTexture::numMoods * cTexture::numFrames, &set.faces[0][0]);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadTextureSet)->Unit(benchmark::kMillisecond);

} // namespace
