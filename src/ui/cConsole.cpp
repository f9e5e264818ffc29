// Console text side: the output ring, the command line, keys, parsing, layout and the slide.
#include "ui/cConsole.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace {

// Panel sides never drop below 50 pixels, and stay far from int overflow.
int panelSide(long long side) {
    return int(std::clamp(side, 50LL, (long long)INT_MAX / 2));
}

} // namespace

cConsole::cConsole(iConsole* owner_, int winWidth_, int winHeight_)
    : winWidth(winWidth_), winHeight(winHeight_), owner(owner_) {
    resetColors();
    resizeWin(winWidth_, winHeight_);
}

cConsole::~cConsole() {
    if (bFontCreated) destroyFont();
}

void cConsole::update(int ms) {
    // Only the phase within a second is ever looked at.
    blinkTime = int(((blinkTime + (long long)ms) % 1000 + 1000) % 1000);
    switch (state) {
    case SHOWING: {
        long long ny = (long long)y + ms;
        if (ny >= marginY) {
            y = marginY;
            state = SHOWN;
        } else {
            y = int(std::max(ny, (long long)-height));
        }
        break;
    }
    case SHOWN:
        y = marginY;
        break;
    case HIDING: {
        long long ny = (long long)y - ms;
        if (ny < -height) {
            y = -height;
            state = HIDDEN;
        } else {
            y = int(std::min(ny, (long long)marginY));
        }
        break;
    }
    default:
        y = -height;
        break;
    }
}

void cConsole::show() {
    if (state == HIDDEN || state == HIDING) state = SHOWING;
}

void cConsole::hide() {
    if (state == SHOWING || state == SHOWN) state = HIDING;
}

bool cConsole::parseKey(unsigned char key) {
    if (lines.empty()) return false;
    if (key == 8) {
        decCmdPos(true);
        return true;
    }
    if (key == (unsigned char)toggleKeys[0] || key == (unsigned char)toggleKeys[1]) return false;
    if (key < 32 && key != 13) return false;
    std::string& line = lines[0];
    if (key == 13) {
        if (cmdPos < columns) line[cmdPos] = ' ';
        parseCommand();
        return true;
    }
    // The last column stays blank: a full line keeps replacing its last character.
    if (cmdPos + 1 < columns) {
        line[cmdPos] = char(key);
        incCmdPos();
    } else if (cmdPos > 0) {
        line[cmdPos - 1] = char(key);
    }
    return true;
}

void cConsole::write(const char* text) {
    if (!text || lines.empty()) return;
    for (; *text; ++text) {
        if (*text == '\n') {
            bufferNewLine();
        } else {
            lines[curLine][curCol] = *text;
            incBufferPos();
        }
    }
}

void cConsole::writeLn(const char* text) {
    write(text);
    writeLn();
}

void cConsole::writeLn() {
    if (!lines.empty()) bufferNewLine();
}

void cConsole::clear() {
    if (lines.empty()) return;
    for (std::string& row : lines) row.assign(columns, ' ');
    curLine = 1;
    curCol = 0;
    cmdPos = 0;
}

void cConsole::clearCmd() {
    if (lines.empty()) return;
    lines[0].assign(columns, ' ');
    cmdPos = 0;
}

void cConsole::getCmd(char* buffer, int size) const {
    getParam(buffer, size, 0);
}

void cConsole::getParam(char* buffer, int size, int index) const {
    if (!buffer || size < 1) return;
    const char* word = "";
    if (index == 0) word = cmd;
    else if (index >= 1 && index <= 4) word = params[index - 1];
    size_t n = std::min(std::strlen(word), size_t(size - 1));
    std::memcpy(buffer, word, n);
    buffer[n] = '\0';
}

void cConsole::resizeWin(int w, int h) {
    winWidth = w;
    winHeight = h;
    width = panelSide((long long)w - 2LL * marginX);
    height = panelSide((long long)h - 2LL * marginY);
    x = marginX;
    y = -height;
    update(0);
    resizeBuffers();
}

void cConsole::resize(int w, int h) {
    width = panelSide(w);
    height = panelSide(h);
    update(0);
    resizeBuffers();
}

void cConsole::fitLines(int count) {
    // resizeBuffers keeps (height - 30) / 16 rows, the command line among them.
    const long long wanted = 30LL + 16LL * (std::max(count, 0) + 1LL);
    if (wanted <= height || height >= winHeight) return;
    marginY = int(std::max(0LL, ((long long)winHeight - wanted) / 2));
    resizeWin(winWidth, winHeight);
}

void cConsole::move(int newX, int newY) {
    if (newX >= 0 && newX < winWidth) marginX = x = newX;
    if (newY >= 0 && newY < winHeight) marginY = y = newY;
}

void cConsole::incBkgAlpha() {
    if (bkgColor[3] <= 252) bkgColor[3] += 2;
}

void cConsole::decBkgAlpha() {
    if (bkgColor[3] > 2) bkgColor[3] -= 2;
}

void cConsole::setBkgColor(uint8_t r, uint8_t g, uint8_t b) {
    bkgColor[0] = r;
    bkgColor[1] = g;
    bkgColor[2] = b;
}

void cConsole::setTextColor(uint8_t r, uint8_t g, uint8_t b) {
    textColor[0] = r / 255.0f;
    textColor[1] = g / 255.0f;
    textColor[2] = b / 255.0f;
}

void cConsole::resetColors() {
    setBkgColor(0, 151, 0);
    setBkgAlpha(128);
    textColor[0] = textColor[1] = textColor[2] = 1.0f;
}

void cConsole::incBufferPos() {
    if (lines.empty()) return;
    if (++curCol >= columns) bufferNewLine();
}

void cConsole::incCmdPos() {
    if (cmdPos < columns) ++cmdPos;
}

void cConsole::decCmdPos(bool erase) {
    if (cmdPos > 0) --cmdPos;
    if (erase && !lines.empty() && cmdPos < columns) lines[0][cmdPos] = ' ';
}

bool cConsole::buildBuffers(std::vector<std::string>& fresh, int newRows, int newColumns) const {
    if ((long long)newRows * newColumns > maxBufferChars) return false;
    try {
        fresh.assign(newRows, std::string(newColumns, ' '));
    } catch (const std::bad_alloc&) {
        fresh.clear();
        return false;
    }
    if (lines.empty()) return true;

    // Newest line first into row 1, then backwards through the old ring from the
    // bottom row up, until the ring comes round or the new rows run out.
    int oldRows = rows;
    int keep = std::min(columns, newColumns);
    int src = curLine;
    fresh[1].replace(0, keep, lines[src], 0, keep);
    for (int dst = newRows - 1; dst >= 2; --dst) {
        src = src > 1 ? src - 1 : oldRows - 1;
        if (src == curLine) break;
        fresh[dst].replace(0, keep, lines[src], 0, keep);
    }
    int cmdKeep = std::min(columns - 1, newColumns);
    if (cmdKeep > 0) fresh[0].replace(0, cmdKeep, lines[0], 0, cmdKeep);
    return true;
}

void cConsole::resizeBuffers() {
    int newColumns = (width - 30) / 9;
    int newRows = std::max((height - 30) / 16, 2);
    std::vector<std::string> fresh;
    if (!buildBuffers(fresh, newRows, newColumns)) {
        writeLn(" ERROR: Can't create new textbuffer.");
        lines.clear();
        rows = columns = 0;
        curLine = 1;
        curCol = cmdPos = 0;
        return;
    }
    lines.swap(fresh);
    rows = newRows;
    columns = newColumns;
    curLine = 1;
    curCol = std::min(curCol, columns - 1);
    cmdPos = std::min(cmdPos, columns - 1);
}

void cConsole::bufferNewLine() {
    if (lines.empty()) return;
    curCol = 0;
    if (++curLine > rows - 1) curLine = 1;
    lines[curLine].assign(columns, ' ');
}

void cConsole::parseCommand() {
    if (lines.empty() || !owner) return;
    paramCount = 0;
    std::memset(cmd, 0, sizeof cmd);
    std::memset(params, 0, sizeof params);

    const std::string& line = lines[0];
    size_t i = 0, n = line.size();
    while (i < n && line[i] == ' ') ++i;
    size_t len = 0;
    for (; i < n && line[i] != ' '; ++i) {
        if (len < sizeof cmd - 1) cmd[len++] = line[i];
    }
    while (i < n && line[i] == ' ') ++i;

    len = 0;
    while (i < n && paramCount < 4) {
        if (line[i] != ' ') {
            if (len < sizeof params[0] - 1) params[paramCount][len++] = line[i];
            ++i;
            continue;
        }
        ++paramCount;
        len = 0;
        while (i < n && line[i] == ' ') ++i;
    }
    // A word that runs to the very end of the row still counts.
    if (len > 0 && paramCount < 4) ++paramCount;

    clearCmd();
    owner->consoleCmd();
}

std::string cConsole::getRow(int row) const {
    if (row < 0 || row >= (int)lines.size()) return std::string();
    return lines[row];
}
