// Entry point of the GL tests: opens an 800 x 600 GLUT window, resolves the
// multitexture entry points, then runs every test with that context current.
#include "platform/multitexture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
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
