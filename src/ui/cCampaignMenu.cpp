// The campaign menu's pages: their rows, the keys and the pointer, and the settings it changes.
#include "ui/cCampaignMenu.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <cstdio>

namespace {

const char* const kTopRows[] = {"New Game", "Continue", "Choose level", "Settings", "Score!", "Quit"};
enum { topNew, topContinue, topChoose, topSettings, topScore, topQuit, topCount };
enum { setDifficulty, setVolume, setMute, setFullscreen, setMouseLock, setFps, setMinimap, setCamera,
       setColourBlind, setBack, setCount };

const char* onOff(bool on) { return on ? "on" : "off"; }

std::string capitalised(std::string_view word) {
    std::string s(word);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = char(s[0] - 32);
    return s;
}

// The map's file name without its extension, for a short row.
std::string levelTitle(const std::string& file) { return file.substr(0, file.rfind('.')); }

std::string clock(int64_t ms) {
    char text[32];
    const long long s = ms / 1000;
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

}  // namespace

cCampaignMenu::cCampaignMenu(cCampaignStore& s, const std::vector<sLevelEntry>& l) : store(s), levels(l) {}

int cCampaignMenu::continueLevel() const {
    const std::string& last = store.getProgress().getLast(store.getSettings().difficulty);
    for (size_t i = 0; i < levels.size(); ++i)
        if (levels[i].file == last) return int(i);
    return -1;
}

std::vector<int> cCampaignMenu::reachedLevels() const {
    std::vector<int> out;
    const eDifficulty d = store.getSettings().difficulty;
    // The first level is open from the start, as New Game shows: a new player's list is not empty.
    for (size_t i = 0; i < levels.size(); ++i)
        if (i == 0 || store.getProgress().isReached(d, levels[i].file)) out.push_back(int(i));
    return out;
}

int cCampaignMenu::rowCount() const { return int(rows().size()); }

std::vector<std::string> cCampaignMenu::rows() const {
    std::vector<std::string> out;
    const cSettings& s = store.getSettings();
    switch (page) {
    case ePage::top:
        for (const char* row : kTopRows) out.emplace_back(row);
        if (const int c = continueLevel(); c >= 0) out[topContinue] += "  (level " + std::to_string(c + 1) + ")";
        break;
    case ePage::settings:
        out = {"Difficulty: " + capitalised(difficultyName(s.difficulty)),
               "Volume: " + std::to_string(s.volume) + " %",
               std::string("Mute: ") + onOff(s.mute),
               std::string("Full screen at start: ") + onOff(s.fullscreen),
               std::string("Mouse lock: ") + onOff(s.mouseLock),
               std::string("FPS counter: ") + onOff(s.fpsCounter),
               std::string("Minimap at start: ") + onOff(s.minimap),
               std::string("Camera: ") + (s.camera == cSettings::eCamera::follow ? "follows the squad" : "classic"),
               std::string("Colour-blind colours: ") + onOff(s.colourBlind),
               "Back"};
        break;
    case ePage::score:
        out = {"Back"};
        break;
    case ePage::choose:
        for (int i : reachedLevels()) out.push_back(std::to_string(i + 1) + "  " + levelTitle(levels[size_t(i)].file));
        out.emplace_back("Back");
        break;
    }
    return out;
}

std::vector<std::string> cCampaignMenu::scoreLines() const {
    std::vector<std::string> out;
    const eDifficulty d = store.getSettings().difficulty;
    char line[160];
    std::snprintf(line, sizeof line, "%-3s%-18s%7s%6s  %s", "", "level", "time", "lost", "date");
    out.emplace_back(line);
    for (size_t i = 0; i < levels.size(); ++i) {
        const cScores::sRecord* r = store.getScores().find(d, levels[i].file, levels[i].hash);
        const std::string title = levelTitle(levels[i].file).substr(0, 17);
        if (r)
            std::snprintf(line, sizeof line, "%-3zu%-18s%7s%6d  %s", i + 1, title.c_str(), clock(r->bestTimeMs).c_str(),
                          r->fewestLost, r->bestTimeDate.c_str());
        else
            std::snprintf(line, sizeof line, "%-3zu%-18s%7s%6s", i + 1, title.c_str(), "-", "-");
        out.emplace_back(line);
    }
    return out;
}

void cCampaignMenu::moveSelection(int step) {
    const int n = rowCount();
    selected = ((selected + step) % n + n) % n;
}

cCampaignMenu::sAnswer cCampaignMenu::onSpecial(int key) {
    switch (key) {
    case GLUT_KEY_UP:
        moveSelection(-1);
        break;
    case GLUT_KEY_DOWN:
        moveSelection(1);
        break;
    case GLUT_KEY_LEFT:
        return change(selected, -1);
    case GLUT_KEY_RIGHT:
        return change(selected, 1);
    default:
        break;
    }
    return {};
}

cCampaignMenu::sAnswer cCampaignMenu::onKey(unsigned char key) {
    if (key == 13) return activate(selected);
    if (key != 27) return {};
    if (page == ePage::top) return {eChoice::quit, 0};
    page = ePage::top;
    selected = 0;
    return {};
}

cCampaignMenu::sAnswer cCampaignMenu::onMotion(int x, int y) {
    hover = rowAt(x, y);
    if (hover >= 0) selected = hover;
    return {};
}

cCampaignMenu::sAnswer cCampaignMenu::onClick(int x, int y) {
    const int row = rowAt(x, y);
    if (row < 0) return {};
    selected = row;
    // A click on a setting steps it on, as Right does.
    if (page == ePage::settings && row != setBack) return change(row, 1);
    return activate(row);
}

cCampaignMenu::sAnswer cCampaignMenu::activate(int row) {
    const auto goTo = [this](ePage p) {
        page = p;
        selected = 0;
        hover = -1;
    };
    switch (page) {
    case ePage::top:
        switch (row) {
        case topNew:
            return levels.empty() ? sAnswer{} : sAnswer{eChoice::play, 0};
        case topContinue:
            if (const int c = continueLevel(); c >= 0) return {eChoice::play, c};
            return levels.empty() ? sAnswer{} : sAnswer{eChoice::play, 0};
        case topChoose:
            goTo(ePage::choose);
            break;
        case topSettings:
            goTo(ePage::settings);
            break;
        case topScore:
            goTo(ePage::score);
            break;
        case topQuit:
            return {eChoice::quit, 0};
        default:
            break;
        }
        return {};
    case ePage::settings:
        if (row == setBack) goTo(ePage::top);
        else return change(row, 1);
        return {};
    case ePage::choose: {
        const std::vector<int> reached = reachedLevels();
        if (row >= 0 && size_t(row) < reached.size()) return {eChoice::play, reached[size_t(row)]};
        goTo(ePage::top);
        return {};
    }
    case ePage::score:
        goTo(ePage::top);
        return {};
    }
    return {};
}

cCampaignMenu::sAnswer cCampaignMenu::change(int row, int step) {
    if (page != ePage::settings) return {};
    cSettings& s = store.getSettings();
    switch (row) {
    case setDifficulty: {
        const int n = int(kDifficulties.size());
        s.difficulty = kDifficulties[size_t(((int(s.difficulty) + step) % n + n) % n)];
        break;
    }
    case setVolume:
        // Past either end the volume wraps, so a click alone reaches every step.
        s.volume = s.volume + 10 * step > 100 ? 0 : (s.volume + 10 * step < 0 ? 100 : s.volume + 10 * step);
        s.volume = std::clamp(s.volume / 10 * 10, 0, 100);
        break;
    case setCamera:
        s.camera = s.camera == cSettings::eCamera::follow ? cSettings::eCamera::classic : cSettings::eCamera::follow;
        break;
    default: {
        // The on/off rows: either step flips them.
        static const std::pair<int, bool cSettings::*> flips[] = {
            {setMute, &cSettings::mute},     {setFullscreen, &cSettings::fullscreen}, {setMouseLock, &cSettings::mouseLock},
            {setFps, &cSettings::fpsCounter}, {setMinimap, &cSettings::minimap},      {setColourBlind, &cSettings::colourBlind}};
        const auto flip = std::find_if(std::begin(flips), std::end(flips), [row](const auto& f) { return f.first == row; });
        if (flip == std::end(flips)) return {};
        s.*(flip->second) = !(s.*(flip->second));
    }
    }
    store.saveSettings();
    return {eChoice::settingsChanged, 0};
}

float cCampaignMenu::rowScale() const {
    const float fit = std::min(float(width) / 800.0f, float(height) / 600.0f);
    const float big = std::clamp(fit, 0.6f, 2.0f);
    // A long list shrinks to fit between the title and the footer.
    const float room = float(height) * 0.62f / (40.0f * float(std::max(1, rowCount())));
    return std::clamp(std::min(big, room), 0.45f, 2.0f);
}

float cCampaignMenu::rowHeight() const { return 40.0f * rowScale(); }

float cCampaignMenu::rowTop(int row) const {
    if (page == ePage::score) {
        // Below the table.
        const float lineH = 26.0f * std::clamp(std::min(float(width) / 800.0f, float(height) / 600.0f), 0.6f, 2.0f);
        return float(height) * 0.24f + lineH * float(scoreLines().size() + 1);
    }
    return float(height) * 0.26f + rowHeight() * float(row);
}

int cCampaignMenu::rowAt(int x, int y) const {
    const std::vector<std::string> r = rows();
    for (size_t i = 0; i < r.size(); ++i) {
        // The band is centred on the 20-pixel letters, not hung below them.
        const float top = rowTop(int(i)) - 10.0f * rowScale();
        const float left = float(width) * 0.5f - 23.0f * rowScale() * float(r[i].size()) * 0.5f;
        const float right = float(width) - left;
        if (float(y) >= top && float(y) < top + rowHeight() && float(x) >= left - 20 && float(x) <= right + 20)
            return int(i);
    }
    return -1;
}
