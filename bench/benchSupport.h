// Windows for the drawing benchmarks, which share one GLUT start in the single benchmark executable.
#pragma once

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

// Opens a w x h window titled `title`, starting GLUT first if no benchmark has
// yet (a second glutInit would end the run); its id, or 0 without a display.
inline int openBenchWindow(int w, int h, const char* title) {
    if (!std::getenv("DISPLAY")) return 0;
    if (!glutGet(GLUT_INIT_STATE)) {
        int argc = 1;
        char name[] = "orbix-bench";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
    }
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(w, h);
    return glutCreateWindow(title);
}

// False, with the benchmark marked skipped, when it has no window to draw into.
inline bool drawable(benchmark::State& state, bool haveWindow) {
    if (!haveWindow) state.SkipWithError("needs a display: run under xvfb-run");
    return haveWindow;
}
