// Entry point of the GL tests: runs every test with an 800 x 600 GLUT window's context current.
#include "platform/multitexture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

constexpr int kSkipped = 77;  // CTest's SKIP_RETURN_CODE for these tests

// Under CTest, ORBIX_TEST_DISPLAY_FILE names the file where the Xvfb fixture wrote
// its display (":N"), or "none REASON" when it has none. That display replaces the
// user's, so no test draws on or moves the pointer over a real desktop. Run by
// hand, without the variable, the tests use $DISPLAY. False when there is none.
bool useTestDisplay() {
    const char* file = std::getenv("ORBIX_TEST_DISPLAY_FILE");
    if (!file || !*file) return true;
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line)) line = std::string("none ") + file + " is missing (run the tests through ctest)";
    if (line.empty() || line[0] != ':') {
        std::printf("SKIPPED: no test display: %s\n", line.substr(line.find(' ') + 1).c_str());
        return false;
    }
    setenv("DISPLAY", line.c_str(), 1);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // CTest lists the tests before any display exists: listing needs no window.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (!useTestDisplay()) return kSkipped;
#if defined(__SANITIZE_ADDRESS__)
    // LeakSanitizer stops every thread to scan its stack, and its tracer has crashed
    // while Mesa's rasterizer and shader-cache threads ran: draw on this thread and
    // keep no shader cache, so the leak check below meets one thread only.
    setenv("LP_NUM_THREADS", "0", 0);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
#endif
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("orbix-gltests");
    resolveMultitexture();
    const int result = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
    // Check for leaks while the window still exists: at exit the GL driver is
    // unloaded first, and what it held would be reported as leaked.
    __lsan_do_leak_check();
#endif
    return result;
}
