// Campaign drawing of recent fight events: tree puffs, hit flashes, fall marks and "has fallen" lines.
#include "level/cLevel.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "level/cLevelFont.h"

namespace {
const int discSides = 10;
const float pi = 3.14159265f;

// A flat disc at height z, facing up; the caller sets colour and blending.
void disc(float x, float y, float z, float radius) {
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(x, y, z);
    for (int i = 0; i <= discSides; i++) {
        const float a = 2.0f * pi * static_cast<float>(i) / discSides;
        glVertex3f(x + radius * std::cos(a), y + radius * std::sin(a), z);
    }
    glEnd();
}

// A flat ring between two radii at height z, facing up.
void ring(float x, float y, float z, float inner, float outer) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= discSides; i++) {
        const float a = 2.0f * pi * static_cast<float>(i) / discSides;
        glVertex3f(x + inner * std::cos(a), y + inner * std::sin(a), z);
        glVertex3f(x + outer * std::cos(a), y + outer * std::sin(a), z);
    }
    glEnd();
}

// Share of a span of ms still left at age; 0 once over.
float left(int64_t age, int64_t span) {
    return std::clamp(1.0f - static_cast<float>(age) / static_cast<float>(span), 0.0f, 1.0f);
}
}  // namespace

void cLevel::renderShow() {
    if (!rules.campaign)
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    for (const cLevelShow::sFall& f : show.getFalls()) {
        glColor4f(0.35f, 0.0f, 0.0f, 0.8f * left(levelTime - f.at, cLevelShow::markMs));
        disc(f.x, f.y, map.getHeight(f.x, f.y) + 0.1f, 0.9f);
    }
    // Trees and soldiers would hide a puff or a flash inside them; these show through.
    glDisable(GL_DEPTH_TEST);
    for (const cLevelShow::sPuff& p : show.getPuffs()) {
        const float l = left(levelTime - p.at, cLevelShow::puffMs);
        glColor4f(0.95f, 0.95f, 0.85f, 0.85f * l);
        disc(p.x, p.y, map.getHeight(p.x, p.y) + 2.0f, 0.3f + 0.5f * (1.0f - l));
    }
    for (const cPlayerBall* s = squad; s != nullptr; s = s->getNext()) {
        if (!show.isFlashing(s->getName(), levelTime))
            continue;
        // A ring round his feet: a disc over him hid the soldier it was meant to point at.
        glColor4f(1.0f, 0.15f, 0.1f, 0.9f);
        ring(s->getX(), s->getY(), map.getHeight(s->getX(), s->getY()) + 0.1f, 0.55f, 0.8f);
    }
    glPopAttrib();
}

void cLevel::renderFallLines(int w, int h) {
    if (!rules.campaign || drawing == nullptr)
        return;
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glListBase(font()->getBase() - 32);
    int y = h / 6;
    for (const cLevelShow::sFall& f : show.getFalls()) {
        if (levelTime - f.at >= cLevelShow::lineMs)
            continue;
        const std::string line = f.name + " has fallen";
        drawText(line.c_str(), cLevelFont::red, w / 2 - static_cast<int>(line.size()) * 7, y, 0.6f, 1.2f);
        y += 30;
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}
