// Drop-down text console: sliding translucent panel, output ring, command line and its parser.
#pragma once

#include "ui/iConsole.h"

#include <cstdint>
#include <string>
#include <vector>

class cConsole {
public:
    // Panel states.
    enum { HIDING = 0, SHOWING = 1, SHOWN = 2, HIDDEN = 3 };

    // Starts hidden, laid out for the window; the owner is not owned and may be null.
    cConsole(iConsole* owner, int winWidth, int winHeight);
    ~cConsole();
    cConsole(const cConsole&) = delete;
    cConsole& operator=(const cConsole&) = delete;

    // Advances the console's own clock and draws. The first call only builds the
    // font (it clears the colour buffer and leaves the glyph sheet there) and answers false.
    bool render();
    // Cursor blink and slide, 1 pixel per millisecond.
    void update(int ms);

    void show();
    void hide();
    bool isActive() const { return state == SHOWING || state == SHOWN; }

    // A typed key while the console is active; true when the console consumed it.
    bool parseKey(unsigned char key);

    // Appends text at the write position; "\n" starts a new line, long text wraps. Null is ignored.
    void write(const char* text);
    void writeLn(const char* text);
    void writeLn();
    // Blanks every row, the command line included.
    void clear();
    void clearCmd();

    // Words of the last entered line, copied into buffer (at most size - 1 characters,
    // always terminated). getParam index 0 is the command word, 1 to 4 the parameters,
    // anything else empty text.
    void getCmd(char* buffer, int size) const;
    void getParam(char* buffer, int size, int index) const;
    int getParamCount() const { return paramCount; }

    // New window size: the panel keeps its margins and the buffers are rebuilt.
    void resizeWin(int w, int h);
    // Sets the panel size directly (each at least 50 pixels) and rebuilds the buffers.
    void resize(int w, int h);
    // Grows the panel, as evenly up and down as the window allows, until `count` output
    // lines show at once; a panel already that tall, or as tall as the window, stays.
    void fitLines(int count);
    // New panel corner and margins; a coordinate outside the window is ignored.
    void move(int newX, int newY);

    void incBkgAlpha();
    void decBkgAlpha();
    void setBkgAlpha(uint8_t a) { bkgColor[3] = a; }
    void setBkgColor(uint8_t r, uint8_t g, uint8_t b);
    void setTextColor(uint8_t r, uint8_t g, uint8_t b);
    void resetColors();

    void incBufferPos();
    void incCmdPos();
    void decCmdPos(bool erase);
    // Rebuilds the text for the current panel size, keeping the newest lines.
    void resizeBuffers();
    // Starts a new output line, overwriting the oldest one.
    void bufferNewLine();
    // Splits the command line into the command word and up to four parameters,
    // clears it and tells the owner.
    void parseCommand();

    void createFont();
    void destroyFont();

    // Read access for the controller's routing and for tests.
    int getState() const { return state; }
    int getX() const { return x; }
    int getY() const { return y; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getRows() const { return rows; }
    int getColumns() const { return columns; }
    int getCurLine() const { return curLine; }
    int getCurCol() const { return curCol; }
    int getCmdPos() const { return cmdPos; }
    uint8_t getBkgAlpha() const { return bkgColor[3]; }
    bool hasBuffer() const { return !lines.empty(); }
    // Row 0 is the command line, rows 1 to rows - 1 the output ring; empty text without a buffer.
    std::string getRow(int row) const;

private:
    // Largest text buffer in characters; a bigger panel is treated as a failed allocation.
    static constexpr long long maxBufferChars = 16LL * 1024 * 1024;

    bool buildBuffers(std::vector<std::string>& fresh, int newRows, int newColumns) const;
    void renderText();
    // The output ring and the command line with its prompt and cursor, shifted by offset pixels.
    void renderRows(int offset) const;
    void renderNoBuffer();
    void callRow(const std::string& row) const;

    int state = HIDDEN;
    int marginX = 80, marginY = 80;
    int x = 0, y = 0;           // panel's top-left corner, window pixels, y down
    int width = 50, height = 50; // panel size, pixels, each at least 50
    int winWidth, winHeight;
    // Row 0 the command line, rows 1.. the output ring; each row holds exactly
    // `columns` characters, blank-padded. Empty until the first resizeBuffers and
    // after a failed one.
    std::vector<std::string> lines;
    int rows = 0, columns = 0;
    int curLine = 1;   // output row being written, 1 to rows - 1
    int curCol = 0;    // write column in curLine
    int cmdPos = 0;    // cursor column in the command line
    int blinkTime = 0; // milliseconds, drives the cursor blink
    int timeAct = 0, timeLast = 0; // elapsed-time samples taken by render, ms
    float textColor[3] = {1.0f, 1.0f, 1.0f};
    uint8_t bkgColor[4] = {0, 151, 0, 128};
    unsigned int fontTexture = 0;
    bool bFontCreated = false;
    unsigned int fontBase = 0; // first of the 95 glyph lists, for codes 32 to 126
    iConsole* owner;           // not owned
    const char toggleKeys[2] = {'`', '~'};
    int paramCount = 0;
    char cmd[64] = {};
    char params[4][32] = {};
};
