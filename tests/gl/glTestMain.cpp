// Entry point of the GL tests: opens an 800 x 600 GLUT window, resolves the
// multitexture entry points, then runs every test with that context current.
#include "platform/multitexture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("orbix-gltests");
    resolveMultitexture();
    return RUN_ALL_TESTS();
}
