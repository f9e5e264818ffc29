// Frames per second of every shipped level at 800 x 600, culling on and off and zoomed out, drawn as fast as possible;
// the CPU column counts every thread of the process, the GL driver's own included.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "assets/cMeshCont.h"
#include "assets/cTexture.h"
#include "level/cLevel.h"
#include "platform/multitexture.h"
#include "shell/cRender.h"
#include "ui/cCursor.h"
#include "ui/cFPS.h"
#include "world/cLevelLoader.h"

namespace {
const int kWidth = 800, kHeight = 600;

// The window, content and level list, made once for every frame benchmark.
struct sFrameRig {
    bool ready = false;
    std::filesystem::path home;  // working folder of the other benchmarks
    cTexture textures;
    cMeshCont meshes;
    cLevelLoader levels;
    cFPS fps;
    cCursor cursor;

    bool open() {
        if (ready)
            return true;
        if (std::getenv("DISPLAY") == nullptr)
            return false;
        int argc = 1;
        char name[] = "orbix-framebench";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
        glutInitWindowSize(kWidth, kHeight);
        glutCreateWindow("orbix-framebench");
        glutSetCursor(GLUT_CURSOR_NONE);
        resolveMultitexture();
        cRender().init();
        std::error_code ec;
        home = std::filesystem::current_path(ec);
        std::filesystem::current_path(ORBIX_BIN_DIR, ec);
        textures.load();
        meshes.load();
        fps.show();
        ready = levels.loadLevels();
        std::filesystem::current_path(home, ec);
        return ready;
    }
};

sFrameRig& rig() {
    static sFrameRig r;
    return r;
}

void perspective() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(kWidth) / kHeight, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void parallel() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -1, 1);
    glScalef(1, -1, 1);
    glTranslatef(0, -kHeight, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// One frame as the game draws it in full power mode: a tick, the scene, the HUD.
void drawFrame(cLevel& level, sFrameRig& r, int ms) {
    level.update(ms);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    perspective();
    glPushMatrix();
    level.render();
    parallel();
    level.renderUI(kWidth, kHeight);
    r.fps.render();
    r.cursor.render(400, 300, kWidth, kHeight);
    glutSwapBuffers();
}

// The views a frame is timed in: the default camera with the field-of-view culling on or
// off, and the camera as far out as it goes (culling on), where the whole field shows.
enum class eView { cull, all, wide };

void BM_Frame(benchmark::State& state, int index, eView view) {
    sFrameRig& r = rig();
    cLevel* level = r.open() ? r.levels.getLevel(index) : nullptr;
    if (level == nullptr) {
        state.SkipWithError("needs a display and the built content");
        return;
    }
    std::error_code ec;
    std::filesystem::current_path(ORBIX_BIN_DIR, ec);
    sLevelStart how;
    how.textures = &r.textures;
    how.meshes = &r.meshes;
    how.wideView = view == eView::wide;
    if (!level->start(how)) {
        std::filesystem::current_path(r.home, ec);
        state.SkipWithError("the level cannot be built");
        return;
    }
    glViewport(0, 0, kWidth, kHeight);
    level->onReshape(kWidth, kHeight);
    level->onPassiveMotion(0, 400, 300, 0, 0);
    if (level->getFov() != (view != eView::all))
        level->onKeyboardUp('m');
    drawFrame(*level, r, 60);  // ends the intro
    for (auto _ : state)
        drawFrame(*level, r, 5);
    glFinish();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["side"] = level->getMap().getX();
    level->dispose();
    std::filesystem::current_path(r.home, ec);
}

// A cull, a full and a wide benchmark per shipped map, registered at start-up from
// the content folder beside the programs; the window opens only when one runs.
const bool registered = [] {
    std::error_code ec;
    std::vector<std::string> maps;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(ORBIX_BIN_DIR) + "/maps", ec))
        if (entry.path().filename().string()[0] != '.')
            maps.push_back(entry.path().filename().string());
    std::sort(maps.begin(), maps.end());
    for (size_t i = 0; i < maps.size(); i++)
        for (const auto& [view, label] : {std::pair{eView::cull, "/cull"}, {eView::all, "/all"}, {eView::wide, "/wide"}})
            benchmark::RegisterBenchmark(("BM_Frame/" + maps[i] + label).c_str(), BM_Frame, static_cast<int>(i), view)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(2.0)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
    return true;
}();
}  // namespace
