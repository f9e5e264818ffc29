// The campaign's drawing over the level or the menu: the controls panel, the kept files'
// messages and the campaign's last screen.
#include "shell/cGame.h"

#include "platform/hudGlut.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

// A dark see-through box in window pixels, y down.
void darkBox(int x0, int y0, int x1, int y1) {
    glColor4f(0, 0, 0, 0.7f);
    glBegin(GL_QUADS);
    glVertex2i(x0, y0);
    glVertex2i(x1, y0);
    glVertex2i(x1, y1);
    glVertex2i(x0, y1);
    glEnd();
}

void lines(const std::vector<std::string>& text, int x, int y, int step) {
    for (const std::string& line : text) {
        glRasterPos2i(x, y);
        hudBitmapText(eHudFont::helvetica18, line.c_str());
        y += step;
    }
}

void beginFlat() {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

}  // namespace

void cGame::renderHelp() {
    // Two columns: the bitmap font is proportional, so each column starts at its own place.
    static const char* const controls[][2] = {
        {"walk: left click", "fire: right button"},
        {"launch: left + right", "t: rocket or grenade"},
        {"p: pause", "c: camera back over the squad"},
        {"1 / 2 / 3 + mouse: camera", "Esc: menu"},
        {"h: this help", ""},
    };
    beginFlat();
    const int w = 560, h = 40 + 26 * int(std::size(controls));
    const int x = (width - w) / 2, y = height - h - 110;
    darkBox(x, y, x + w, y + h);
    glColor3f(1, 1, 0.6f);
    lines({"Controls"}, x + 16, y + 28, 26);
    glColor3f(1, 1, 1);
    int row = y + 56;
    for (const auto& pair : controls) {
        lines({pair[0]}, x + 16, row, 26);
        lines({pair[1]}, x + 280, row, 26);
        row += 26;
    }
    glPopAttrib();
}

void cGame::renderNotices() {
    beginFlat();
    const int h = 12 + 22 * int(notices.size());
    darkBox(0, height - h, width, height);
    glColor3f(1, 0.85f, 0.4f);
    lines(notices, 12, height - h + 20, 22);
    glPopAttrib();
}

void cGame::renderComplete() {
    const float fit = std::clamp(std::min(float(width) / 800.0f, float(height) / 600.0f), 0.6f, 2.0f);
    menu.drawBackground(float(width) * 0.5f, float(height) * 0.5f, float(std::max(width, height)) / 512.0f);
    char record[3][80];
    const long long s = runTimeMs / 1000;
    std::snprintf(record[0], sizeof record[0], "Levels won: %d", runWon);
    std::snprintf(record[1], sizeof record[1], "Soldiers lost: %d", runLost);
    std::snprintf(record[2], sizeof record[2], "Total time: %lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    const auto centred = [&](const char* text, float top, float scale, int colour) {
        const float left = float(width) * 0.5f - 23.0f * scale * float(std::char_traits<char>::length(text)) * 0.5f;
        menu.drawText(text, left, top, scale, colour);
    };
    centred("CAMPAIGN COMPLETE", float(height) * 0.18f, 1.3f * fit, 2);
    for (int i = 0; i < 3; ++i) centred(record[i], float(height) * 0.4f + 44.0f * fit * float(i), 0.9f * fit, 1);
    centred("Enter: the menu", float(height) * 0.8f, 0.7f * fit, 1);
}
