// The campaign menu's drawing: the menu's picture filling the window, a title with the
// difficulty, the page's rows (the selected one green) and the help line.
#include "ui/cCampaignMenu.h"
#include "ui/cMenu.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

// A dark see-through band behind the page's text, so that it reads on the bright poppies.
void darkBand(float top, float bottom, int w) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, 0.45f);
    glBegin(GL_QUADS);
    glVertex2f(float(w) * 0.08f, top);
    glVertex2f(float(w) * 0.92f, top);
    glVertex2f(float(w) * 0.92f, bottom);
    glVertex2f(float(w) * 0.08f, bottom);
    glEnd();
    glPopAttrib();
}

// Characters are 23 pixels apart at scale 1.
float centred(int width, size_t length, float scale) { return float(width) * 0.5f - 23.0f * scale * float(length) * 0.5f; }

}  // namespace

void cCampaignMenu::render(const cMenu& look, int w, int h) const {
    const float fit = std::clamp(std::min(float(w) / 800.0f, float(h) / 600.0f), 0.6f, 2.0f);
    // The picture covers the whole window, whatever its shape.
    look.drawBackground(float(w) * 0.5f, float(h) * 0.5f, float(std::max(w, h)) / 512.0f);

    const std::string title = "ORBIX-TAL";
    look.drawText(title.c_str(), centred(w, title.size(), 1.4f * fit), float(h) * 0.05f, 1.4f * fit, 0);
    const char* pageName = page == ePage::settings ? "Settings"
                           : page == ePage::score  ? "Score!"
                           : page == ePage::choose ? "Choose level"
                                                   : "";
    std::string sub = "Difficulty: " + std::string(difficultyName(store.getSettings().difficulty));
    sub[12] = char(sub[12] - 32);
    if (*pageName) sub = std::string(pageName) + "  -  " + sub;
    look.drawText(sub.c_str(), centred(w, sub.size(), 0.8f * fit), float(h) * 0.05f + 44.0f * fit, 0.8f * fit, 1);

    const std::vector<std::string> r = rows();
    const float first = page == ePage::score ? float(h) * 0.24f : rowTop(0);
    darkBand(first - 12.0f * fit, rowTop(int(r.size()) - 1) + rowHeight() + 4.0f * fit, w);

    if (page == ePage::score) {
        const std::vector<std::string> lines = scoreLines();
        const float scale = 0.62f * fit, lineH = 26.0f * fit;
        size_t longest = 0;
        for (const std::string& l : lines) longest = std::max(longest, l.size());
        const float left = centred(w, longest, scale);
        for (size_t i = 0; i < lines.size(); ++i)
            look.drawText(lines[i].c_str(), left, float(h) * 0.24f + lineH * float(i), scale, i == 0 ? 0 : 1);
    }

    const float scale = rowScale();
    for (size_t i = 0; i < r.size(); ++i)
        look.drawText(r[i].c_str(), centred(w, r[i].size(), scale), rowTop(int(i)), scale,
                      int(i) == selected ? 2 : 1);

    const char* help = page == ePage::settings ? "Left/Right or click: change   Esc: back"
                                               : "h: controls in a level   Esc: back";
    look.drawText(help, centred(w, std::char_traits<char>::length(help), 0.6f * fit), float(h) - 40.0f * fit,
                  0.6f * fit, 1);
}
