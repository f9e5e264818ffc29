// What a player sees, frame by frame, compared with reference pictures: the menu, a level's
// intro, play with the squad, shots, trees, water and minimap, the console, the pause, the
// win, a map that cannot be played, and a content folder without maps.
#include "referenceImage.h"

#include "assets/cBitmap.h"
#include "level/cLevel.h"
#include "shell/cGame.h"
#include "shell/cRender.h"
#include "units/cPlayerBall.h"
#include "world/cMap.h"
#include "ui/cConsole.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A 40 x 40 field: the squad, two enemies, clumps of trees and a pond.
void writeField(const fs::path& file) {
    cBitmap map(40, 40);
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 40; x++) {
            const bool pond = (x - 27) * (x - 27) + (y - 14) * (y - 14) < 20;
            const bool trees = (x >= 8 && x < 12 && y >= 26 && y < 30) || (x >= 30 && x < 33 && y >= 30 && y < 34);
            map.setColor(x, y, trees ? 0 : pond ? 0 : 110, trees ? 0 : pond ? 0 : 150, pond ? 255 : trees ? 0 : 70, 255);
        }
    map.setColor(20, 20, 0, 255, 0, 255);
    map.setColor(30, 24, 255, 0, 0, 255);
    map.setColor(14, 34, 255, 0, 0, 255);
    ASSERT_TRUE(map.saveToFile(file.string()));
}

class Scene : public ReferenceTest {
protected:
    void SetUp() override {
        ReferenceTest::SetUp();
        if (IsSkipped()) return;
        const fs::path bin = ORBIX_BIN_DIR;
        if (!fs::is_directory(bin / "graphics") || !fs::is_directory(bin / "models"))
            GTEST_SKIP() << "the game's content is not built in " << bin;
        home = fs::current_path();
        dir = fs::temp_directory_path() / ("orbix-scene-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "maps");
        for (const char* d : {"textures", "models", "sounds", "graphics"}) fs::create_directory_symlink(bin / d, dir / d);
        fs::current_path(dir);
    }
    void TearDown() override {
        game.reset();
        if (dir.empty()) return;
        fs::current_path(home);
        fs::remove_all(dir);
    }
    void start() {
        // Soldiers take their names in turn from one list for the whole program: start it
        // over, so the cards read the same whatever ran before.
        while (std::string(cPlayerBall(false).getName()) != "Olga") {}
        // So does the water's wave phase: turned back to (within a millisecond of) zero.
        cMap().update(static_cast<int>(std::lround((2 * M_PI - cMap::getWaveAngle()) * 1000)));
        cRender().init();  // the fixed state the game sets once
        std::srand(1);
        game = std::make_unique<cGame>();
        ASSERT_TRUE(game->init());
        game->onReshape(800, 600);
        game->onPassiveMotion(900, 700, 0, 0);  // the cursor, which pulses in real time, off the window
    }
    // Drawing is slow: ticks without frames between the pictures.
    void ticks(int n, int ms) {
        for (int i = 0; i < n; i++) game->onUpdate(ms);
    }
    void frame(int ms) {
        game->onUpdate(ms);
        game->onDisplay();
    }
    void tap(unsigned char key) {
        game->onKeyboard(key);
        game->onKeyboardUp(key);
    }
    void type(const char* line) {
        for (; *line; line++) tap(static_cast<unsigned char>(*line));
        tap(13);
    }
    void click(uint8_t buttons, int x, int y) {
        game->onMouseClick(buttons, x, y);
        game->onMouseClick(0, x, y);
        game->onPassiveMotion(900, 700, 0, 0);
    }
    // Opens or closes the console and lets it slide all the way.
    void toggleConsole() {
        tap('`');
        game->getConsole()->update(1000000);
    }

    fs::path home, dir;
    std::unique_ptr<cGame> game;
};

}  // namespace

TEST_F(Scene, PlayedLevelsLookAsBefore) {
    writeField(dir / "maps" / "01-field.bmp");
    std::ofstream(dir / "maps" / "02-cut.bmp") << "BM6";
    start();
    game->onDisplay();  // the console makes its font on the first frame
    // The frame counter shows real time: hidden.
    toggleConsole();
    type("fps 0");
    toggleConsole();

    frame(1000);  // the menu passes on to the first level
    frame(10);
    expectFrameLooksLike("intro");

    frame(60);  // the frame that ends the intro
    ASSERT_EQ(game->getLevel()->getState(), cLevel::statePlaying);
    tap('a');
    tap('a');
    tap('n');  // the minimap
    tap('t');  // grenades instead of rockets
    game->onKeyboard('2');  // turn the view
    game->onPassiveMotion(900, 700, 25, 0);
    game->onKeyboardUp('2');
    click(1, 520, 380);  // walk
    ticks(40, 20);
    click(4, 600, 250);  // fire
    ticks(2, 20);
    frame(20);
    expectFrameLooksLike("play");

    toggleConsole();
    type("about");
    type("");
    frame(20);
    expectFrameLooksLike("console");
    toggleConsole();

    tap('p');
    frame(20);
    expectFrameLooksLike("paused");
    tap('p');

    tap('w');
    tap('w');
    ticks(10, 20);
    frame(20);
    expectFrameLooksLike("won");

    tap(13);
    ticks(5, 20);
    frame(20);
    expectFrameLooksLike("failure");

    click(2, 790, 590);  // the middle button, away from the menu items: back to the menu
    frame(5000);         // one long tick carries it all the way in
    expectFrameLooksLike("menu");
}

TEST_F(Scene, AContentFolderWithoutMapsSaysSo) {
    start();
    game->onDisplay();
    toggleConsole();
    type("fps 0");
    toggleConsole();
    frame(20);
    glScissor(0, 306, 800, 32);  // the folder line: its name differs from run to run
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    expectFrameLooksLike("nolevel");
}
