// The campaign's menu: a page that waits for the player (top, Settings, Score!, Choose level),
// keyboard and mouse, and the settings changed and saved as the player steps through them.
#pragma once

#include "campaign/cCampaignStore.h"

#include <cstdint>
#include <string>
#include <vector>

class cMenu;

class cCampaignMenu {
public:
    enum class ePage { top, settings, score, choose };
    // What the owner does after an input: choice says which, level is the list index for
    // play (New Game and Continue are answered as play too).
    enum class eChoice { none, play, quit, settingsChanged };
    struct sAnswer {
        eChoice choice = eChoice::none;
        int level = 0;
    };
    // One playable level: its map's file name (the kept files' key) and its map's hash.
    struct sLevelEntry {
        std::string file;
        uint64_t hash = 0;
    };

    // store and levels are not owned and must outlive the menu.
    cCampaignMenu(cCampaignStore& store, const std::vector<sLevelEntry>& levels);

    void open() { page = ePage::top; hover = -1; }
    ePage getPage() const { return page; }
    int getSelected() const { return selected; }

    // Up, Down, Left, Right as GLUT special keys; Enter and Esc as characters.
    sAnswer onSpecial(int glutKey);
    sAnswer onKey(unsigned char key);
    sAnswer onMotion(int x, int y);
    sAnswer onClick(int x, int y);

    // Draws the page into a w x h window with the menu's picture and font.
    void render(const cMenu& look, int w, int h) const;
    void resize(int w, int h) { width = w; height = h; }

    // The rows of the current page as shown, for tests and drawing.
    std::vector<std::string> rows() const;
    // The Score! page's table lines for the current difficulty.
    std::vector<std::string> scoreLines() const;

private:
    // Index into levels of Continue's level, or -1 when there is none.
    int continueLevel() const;
    // Levels reached at the current difficulty, as indexes into levels.
    std::vector<int> reachedLevels() const;
    sAnswer activate(int row);
    sAnswer change(int row, int step);
    void moveSelection(int step);
    int rowCount() const;
    // Geometry shared by drawing and the pointer.
    float rowScale() const;
    float rowTop(int row) const;
    float rowHeight() const;
    int rowAt(int x, int y) const;

    cCampaignStore& store;
    const std::vector<sLevelEntry>& levels;
    ePage page = ePage::top;
    int selected = 0;
    int hover = -1;
    int width = 800, height = 600;
};
