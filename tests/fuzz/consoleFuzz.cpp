// libFuzzer target: any bytes as keys, F-keys, reshapes and ticks to a started game; the console's text stays in bounds.
#include "assets/cBitmap.h"
#include "fuzzSupport.h"
#include "level/cLevel.h"
#include "shell/cGame.h"
#include "ui/cConsole.h"

#include <cstdlib>
#include <memory>

namespace {

// Bytes that stand for something other than a key; each takes the following byte(s) as its value.
constexpr uint8_t kTick = 0xFF;      // ms
constexpr uint8_t kSpecial = 0xFE;   // F-key number
constexpr uint8_t kReshape = 0xFD;   // width / 8, height / 8
constexpr uint8_t kMenu = 0xFC;      // 0 starts the next level, otherwise the menu hides

void writeMaps() {
    cBitmap map(12, 12);
    for (int i = 0; i < 12 * 12; ++i) map.setColor(i % 12, i / 12, 90, 140, 60, 255);
    map.setColor(3, 3, 0, 255, 0, 255);
    map.setColor(9, 9, 255, 0, 0, 255);
    map.setColor(6, 6, 0, 0, 255, 255);
    map.saveToFile("maps/01-fuzz.bmp");
    map.setColor(9, 9, 90, 140, 60, 255);
    map.saveToFile("maps/02-empty.bmp");
}

void checkConsole(const cConsole& con) {
    if (!con.hasBuffer()) return;
    FUZZ_CHECK(con.getRows() >= 2 && con.getColumns() >= 1);
    FUZZ_CHECK(con.getCurLine() >= 1 && con.getCurLine() < con.getRows());
    FUZZ_CHECK(con.getCurCol() >= 0 && con.getCurCol() < con.getColumns());
    FUZZ_CHECK(con.getCmdPos() >= 0 && con.getCmdPos() < con.getColumns());
    for (int r = 0; r < con.getRows(); ++r) FUZZ_CHECK(static_cast<int>(con.getRow(r).size()) == con.getColumns());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const cScratchFolder folder("consoleFuzz", {"maps"});
    [[maybe_unused]] static const bool ready = [] {
        // No audio backend at all: the game then runs silent, and every start stays quick.
        setenv("ALSOFT_DRIVERS", "none", 1);
        writeMaps();
        return true;
    }();
    auto game = std::make_unique<cGame>();
    game->setFixedSeeds(1);
    if (!game->init()) return 0;
    cConsole* con = game->getConsole();
    FUZZ_CHECK(con != nullptr);
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        const uint8_t arg = i + 1 < size ? data[i + 1] : 0, arg2 = i + 2 < size ? data[i + 2] : 0;
        if (b == kTick)
            game->onUpdate(arg);
        else if (b == kSpecial)
            game->onSpecialFunc(arg % 4);
        else if (b == kReshape)
            game->onReshape(arg * 8 - 64, arg2 * 8 - 64);
        else if (b == kMenu)
            game->msgMenu(arg == 0 ? 0 : 2);
        else {
            game->onKeyboard(b);
            game->onKeyboardUp(b);
        }
        i += b == kReshape ? 2 : b == kTick || b == kSpecial || b == kMenu ? 1 : 0;  // past the values taken
        checkConsole(*con);
    }
    return 0;
}
