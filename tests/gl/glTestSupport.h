// What the drawing tests share: projections, pixel reads, a state-keeping fixture, reference pictures.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

// An orthographic view of the box given; model-view reset.
inline void projectOrtho(double left, double right, double bottom, double top, double near = -1, double far = 1) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, near, far);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Red, green and blue of the back buffer at window pixel (x, y), origin top-left.
inline std::array<int, 3> pixelAt(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

// One integer of the GL state, such as a matrix stack's depth.
inline GLint glInt(GLenum what) {
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

// A 1 x 1 texture of one colour, left bound.
inline GLuint oneColourTexture(GLubyte r, GLubyte g, GLubyte b) {
    GLuint id = 0;
    const GLubyte texel[4] = {r, g, b, 255};
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    return id;
}

// Every test starts on a black 800 x 600 window, with lighting, texturing, blending and the
// depth test off whatever an earlier test left, and gives the GL state and matrices back,
// having raised no GL error.
class KeepsGlState : public ::testing::Test {
protected:
    void SetUp() override {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glViewport(0, 0, 800, 600);
        for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND, GL_DEPTH_TEST}) glDisable(cap);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override {
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
};

// Fails, naming the frame drawn now (saved in the build folder), when more than a few pixels of the
// window's frame, shrunk to 200 x 150, differ by more than a few levels from reference/NAME.png. The
// pictures hold only for the renderer that drew them (reference/renderer.txt): under another one it
// marks the test skipped, saying why. ORBIX_UPDATE_REFERENCES=1 draws them anew.
void expectFrameLooksLike(const std::string& name);
