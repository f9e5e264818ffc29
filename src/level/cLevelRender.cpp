// Level drawing: the 3D scene with culling and ground marker, the HUD pass, the state messages and their font.
#include "level/cLevel.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "level/cLevelFont.h"
#include "level/iLevelLog.h"
#include "ui/DrawPlayer.h"

namespace {
enum { fontRed = cLevelFont::red, fontYellow = cLevelFont::yellow, fontWhite = cLevelFont::white };
const int blinkPeriod = 1500;  // ms
const int blinkShown = 1000;   // ms of each period the blinking texts show
}

void cLevel::buildGL() {
    // Each build makes a fresh minimap texture; the one of the previous build goes.
    if (miniMapTex != 0) {
        glDeleteTextures(1, &miniMapTex);
        miniMapTex = 0;
    }
    cGameSetup::init();
    if (drawing == nullptr)
        buildFont();
    glPending = false;
}

void cLevel::buildFont() {
    auto font = std::make_unique<cLevelFont>();
    font->build();
    drawing = std::move(font);
}

const cLevelFont* cLevel::font() const { return static_cast<const cLevelFont*>(drawing.get()); }

void cLevel::render() {
    if (levelState == stateInactive)
        return;
    if (glPending)
        buildGL();
    if (showMiniMap)
        initMiniMap();
    glDisable(GL_LIGHTING);
    camera.render();
    glTranslatef(map.getX() / -2, map.getY() / -2, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);

    // The marker shows the aim the input and the tick last took; the view box's corners
    // that see no ground fall back on it, as the pick does.
    const float gx = mouseMapX, gy = mouseMapY;
    const double cornersX[4] = {10.0, winWidth - 10.0, winWidth - 10.0, 10.0};
    const double cornersY[4] = {10.0, 10.0, winHeight - 10.0, winHeight - 10.0};
    cPoint p[4];
    for (int i = 0; i < 4; i++) {
        float cx = gx, cy = gy;
        camera.groundPoint(cornersX[i], cornersY[i], winWidth, winHeight, map.getX(), map.getY(), cx, cy);
        p[i] = cPoint(cx, cy);
    }

    renderAxis(3.0f);
    glPushMatrix();
    glTranslatef(0, 0, map.getHeight(mouseMapX, mouseMapY));
    DrawPlayer(static_cast<int>(gx), static_cast<int>(gy), mouseMapX, mouseMapY, 5);
    glPopMatrix();

    glColor3f(1, 1, 1);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 4; i++)
        glVertex3d(p[i % 4].x, p[i % 4].y, 1.0);
    glEnd();

    cPoint box[2] = {cPoint(100000.0, 100000.0), cPoint(-1.0, -1.0)};
    for (const cPoint& c : p) {
        if (box[0].x > c.x) box[0].x = c.x - 1.0;
        if (box[0].y > c.y) box[0].y = c.y - 1.0;
        if (c.x > box[1].x) box[1].x = c.x + 1.0;
        if (c.y > box[1].y) box[1].y = c.y + 1.0;
    }
    cPoint* view = fov ? box : nullptr;

    glEnable(GL_LIGHTING);
    ammo.render();
    map.renderTerrain(view);
    if (enemies != nullptr)
        enemies->render(view);
    if (squad != nullptr)
        squad->render();
    map.renderWater();
    renderShow();
}

void cLevel::renderUI(int w, int h) {
    if (levelState == stateInactive) {
        if (!failure.empty())
            renderFailure(w, h);
        return;
    }
    // The 3D pass and the units leave their own states behind; the HUD sets its own.
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    for (cEnemy* e = enemies; e != nullptr; e = e->getNext())
        e->renderLM();

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    if (squad != nullptr)
        ui.renderGroupUI(10, 0, squad->getGrenadesCount(), squad->getRocketsCount(), rocketSelected);
    else
        ui.renderGroupUI(10, 0, 0, 0, rocketSelected);
    int y = 100;
    for (cPlayerBall* s = squad; s != nullptr; s = s->getNext(), y += 50) {
        ui.renderSoldierUI(y, s->getName(), s->getLife(), show.isFlashing(s->getName(), levelTime));
        s->renderLM();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
    }
    for (cPlayerBall* s = fallen; s != nullptr; s = s->getNext(), y += 50)
        ui.renderSoldierUI(y, s->getName(), s->getLife(), false);

    if (showMiniMap)
        renderMiniMap(h);
    renderThreatMarkers(w, h);
    renderFallLines(w, h);
    renderMessages(w, h);
    glEnable(GL_DEPTH_TEST);
}

void cLevel::renderMiniMap(int h) {
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(120, static_cast<float>(h - 120), 0);
    glRotatef(-camera.getAngleZ(), 0, 0, 1);
    glColor3f(1, 1, 1);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glVertex2i(-52, -52);
    glVertex2i(52, -52);
    glVertex2i(52, 52);
    glVertex2i(-52, 52);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    createMiniMapTex();
    glBindTexture(GL_TEXTURE_2D, miniMapTex);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2i(-50, -50);
    glTexCoord2f(1, 1);
    glVertex2i(50, -50);
    glTexCoord2f(1, 0);
    glVertex2i(50, 50);
    glTexCoord2f(0, 0);
    glVertex2i(-50, 50);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

void cLevel::drawText(const char* text, int colour, int x, int y, float sx, float sy) {
    glBindTexture(GL_TEXTURE_2D, font()->getTexture(colour));
    const auto glyphs = [&](int px, int py) {
        glPushMatrix();
        glTranslatef(static_cast<float>(px), static_cast<float>(py), 0);
        glScalef(sx, sy, 1);
        glCallLists(static_cast<int>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
        glPopMatrix();
    };
    // White and yellow letters vanish on snow: a dark rim, the glyphs themselves
    // darkened by the texture's modulation, keeps them readable on any ground.
    static const int rim[8][2] = {{-2, -2}, {0, -2}, {2, -2}, {-2, 0}, {2, 0}, {-2, 2}, {0, 2}, {2, 2}};
    glColor3f(0, 0, 0);
    for (const auto& o : rim)
        glyphs(x + o[0], y + o[1]);
    glColor3f(1, 1, 1);
    glyphs(x, y);
}

void cLevel::renderMessages(int w, int h) {
    if (drawing == nullptr || (levelState != stateIntro && levelState != statePaused && levelState != stateFailed &&
                          levelState != stateWon))
        return;
    const bool blinkOn = levelTime % blinkPeriod < blinkShown;
    const int cx = w / 2, cy = h / 2;

    glColor3f(1, 1, 1);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glListBase(font()->getBase() - 32);
    switch (levelState) {
    case stateIntro: {
        drawText("LEVEL", fontYellow, cx - 230, cy - 200, 4, 5);
        char number[16];
        std::snprintf(number, sizeof(number), "%d", levelNumber);
        if (number[1] == '\0') {
            drawText(number, fontYellow, cx - 100, cy - 140, 9, 10);
        } else {
            number[2] = '\0';
            drawText(number, fontYellow, cx - 200, cy - 140, 9, 10);
        }
        drawText("GOAL:", fontWhite, cx - 220, cy + 40, 1, 2);
        if (blinkOn)
            drawText("KILL ALL ENEMY", fontRed, cx - 100, cy + 40, 1, 2);
        break;
    }
    case statePaused:
        if (blinkOn)
            drawText("PAUSED", fontWhite, cx - 350, cy - 40, 5, 5);
        break;
    case stateFailed:
        drawText("YOU FAILED !!!", fontRed, cx - 300, cy - 80, 2, 4);
        if (blinkOn) {
            drawText("Press ENTER to restart..", fontWhite, cx - 350, cy, 1, 2);
            drawText("..or flee with ESC to menu", fontWhite, cx - 320, cy + 40, 1, 2);
        }
        break;
    default:
        drawText("CONGRATULATIONS", fontYellow, cx - 350, cy - 80, 2, 4);
        if (blinkOn)
            drawText("Press ENTER to continue..", fontWhite, cx - 280, cy, 1, 2);
        break;
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void cLevel::renderFailure(int w, int h) {
    // The map failed, but the font is the level's own and does not depend on it.
    if (drawing == nullptr)
        buildFont();
    char title[32];
    std::snprintf(title, sizeof(title), "CANNOT PLAY LEVEL %d", levelNumber);
    const std::string reason = failure + ".";
    struct sLine {
        const char* text;
        int colour;
        float scale;  // largest; a long line shrinks to fit the window
        int gap;      // pixels above the line
    };
    const sLine lines[] = {{title, fontRed, 1.5f, 0},
                           {mapName, fontYellow, 1.0f, 30},
                           {reason.c_str(), fontWhite, 1.0f, 10},
                           {"ENTER: go on to the next level", fontWhite, 1.0f, 40},
                           {"ESC: back to the menu", fontWhite, 1.0f, 10}};

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LIST_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor3f(1, 1, 1);
    glListBase(font()->getBase() - 32);
    int y = h / 2 - 120;
    for (const sLine& line : lines) {
        const float advance = 23.0f * static_cast<float>(std::strlen(line.text));
        float scale = line.scale;
        if (advance * scale > static_cast<float>(w - 20))
            scale = static_cast<float>(w - 20) / advance;
        // Glyphs a half taller than wide read well; a squeezed line keeps its height.
        const float tall = scale < 1.0f ? 1.0f : scale * 1.5f;
        y += line.gap;
        const int x = static_cast<int>((static_cast<float>(w) - advance * scale) / 2);
        drawText(line.text, line.colour, x, y, scale, tall);
        y += static_cast<int>(20 * tall);
    }
    glPopAttrib();
}
