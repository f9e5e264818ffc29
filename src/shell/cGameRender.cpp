// The game controller's frame, projections and window reshape.
#include "shell/cGame.h"

#include "level/cLevel.h"
#include "platform/hudGlut.h"
#include "ui/cConsole.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <string>

void cGame::setParalelMatrix() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glScalef(1, -1, 1);
    glTranslatef(0, float(-height), 0);
}

void cGame::setPerspectiveMatrix() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(cCamera::fieldOfView, double(width) / double(height), cCamera::nearPlane, cCamera::farPlane);
}

void cGame::onReshape(int w, int h) {
    width = w < 1 ? 1 : w;
    height = h < 1 ? 1 : h;
    glViewport(0, 0, width, height);
    // Exactly one saved perspective copy lies under the current projection,
    // however many reshapes came before: earlier copies are dropped rather than
    // piled up until the stack overflows. (The ground pick no longer reads it:
    // it is done on the CPU from the camera.)
    glMatrixMode(GL_PROJECTION);
    GLint depth = 1;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    for (; depth > 1; depth--) glPopMatrix();
    setPerspectiveMatrix();
    glPushMatrix();
    if (console) console->resizeWin(width, height);
    menu.resize(width, height);
    if (campaignMenu) campaignMenu->resize(width, height);
    if (level) level->onReshape(width, height);
    fps.resize(width, height);
}

void cGame::onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (campaign && state != kLevel) {
        setParalelMatrix();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (state == kCampaignComplete) renderComplete();
        else campaignMenu->render(menu, width, height);
    } else if (state == kMenu) {
        setParalelMatrix();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        menu.render();
    } else if (state == kLevel && level) {
        setParalelMatrix();
        glPushMatrix();
        setPerspectiveMatrix();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        level->render();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        level->renderUI(width, height);
        if (helpShown) renderHelp();
    } else {
        setParalelMatrix();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (state == kNoLevel) renderNoLevel();
    }
    if (!notices.empty()) renderNotices();
    if (console) console->render();
    fps.render();
    cursor.render(xMouse, yMouse, width, height);
}

void cGame::renderNoLevel() {
    const std::string folder = levelLoader.getFolder();
    const char* lines[] = {"No level found.", "There is no map in the folder", folder.c_str(),
                           "Put 24-bit BMP maps there, then start the game again.", "", "ESC ends the game."};
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    int y = height / 2 - 80;
    for (const char* line : lines) {
        glRasterPos2i(40, y);
        hudBitmapText(eHudFont::helvetica18, line);
        y += 30;
    }
    glPopAttrib();
}
