// ASE loading side by side: every object of a file loaded as the game loads it, against Assimp reading the whole file.
#include "assets/cMesh.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Objects are asked for by position until the file has no more.
int loadEveryObject(const std::string& path)
{
    int loaded = 0;
    for (int index = 0; index < 256; index++) {
        cMesh mesh;
        if (!mesh.loadFromASE(path.c_str(), static_cast<unsigned char>(index), nullptr))
            break;
        loaded++;
    }
    return loaded;
}

void BM_AseOurs(benchmark::State& state, const std::string& path)
{
    int objects = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(objects = loadEveryObject(path));
    state.counters["objects"] = objects;
    if (objects == 0)
        state.SkipWithError("no object loaded");
}

void BM_AseAssimp(benchmark::State& state, const std::string& path)
{
    unsigned meshes = 0;
    for (auto _ : state) {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0);
        if (scene == nullptr) {
            state.SkipWithError(importer.GetErrorString());
            return;
        }
        benchmark::DoNotOptimize(meshes = scene->mNumMeshes);
    }
    state.counters["objects"] = meshes;
}

// Assimp crashes on some real files; a trial read in a child process keeps the
// whole run alive and reports the crash instead.
bool assimpSurvives(const std::string& path)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        Assimp::Importer importer;
        importer.ReadFile(path, 0);
        _exit(0);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status);
}

void BM_AseAssimpCrashed(benchmark::State& state)
{
    for (auto _ : state)
        break;
    state.SkipWithError("Assimp crashed reading it");
}

void collect(const std::string& folder, std::vector<std::string>& files)
{
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (it->is_regular_file(ec) && ext == ".ase")
            files.push_back(it->path().string());
    }
}

// Our models beside the programs and the real-world files of the test data, when present.
const bool registered = [] {
    std::vector<std::string> files;
    collect(ORBIX_BIN_DIR "/models", files);
    collect(ORBIX_TESTDATA_DIR "/ase", files);
    std::sort(files.begin(), files.end());
    for (const std::string& f : files) {
        const std::string label = std::filesystem::path(f).parent_path().filename().string() + "/" +
                                  std::filesystem::path(f).filename().string();
        benchmark::RegisterBenchmark(("BM_AseOurs/" + label).c_str(), BM_AseOurs, f)->Unit(benchmark::kMillisecond);
        if (assimpSurvives(f))
            benchmark::RegisterBenchmark(("BM_AseAssimp/" + label).c_str(), BM_AseAssimp, f)
                ->Unit(benchmark::kMillisecond);
        else
            benchmark::RegisterBenchmark(("BM_AseAssimp/" + label).c_str(), BM_AseAssimpCrashed);
    }
    return true;
}();

} // namespace
