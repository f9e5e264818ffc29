// The game as a player drives it in a scratch content folder: frames against reference pictures, menus, console and keys.
#include "glTestSupport.h"

#include "assets/cBitmap.h"
#include "level/cLevel.h"
#include "shell/cGame.h"
#include "shell/cRender.h"
#include "ui/cConsole.h"
#include "units/cPlayerBall.h"
#include "world/cMap.h"

#include "../unit/assetsTestFiles.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

namespace fs = std::filesystem;

namespace {

// A 40 x 40 field: the squad, two enemies, clumps of trees and a pond; under snow in winter.
void writeField(const fs::path& file, bool winter = false) {
    cBitmap map(40, 40);
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 40; x++) {
            const bool pond = (x - 27) * (x - 27) + (y - 14) * (y - 14) < 20;
            const bool trees = (x >= 8 && x < 12 && y >= 26 && y < 30) || (x >= 30 && x < 33 && y >= 30 && y < 34);
            map.setColor(x, y, trees || pond ? 0 : 110, trees || pond ? 0 : 150, pond ? 255 : trees ? 0 : 70, 255);
        }
    map.setColor(20, 20, 0, 255, 0, 255);
    map.setColor(30, 24, 255, 0, 0, 255);
    map.setColor(14, 34, 255, 0, 0, 255);
    if (winter) map.setColor(0, 39, 255, 255, 255, 255);  // the picture's top-left pixel
    ASSERT_TRUE(map.saveToFile(file.string()));
}

// A content folder of its own, made the working folder, with the built content linked in.
class Game : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir / "maps");
        const fs::path bin = ORBIX_BIN_DIR;
        for (const char* d : {"textures", "models", "sounds", "graphics"})
            if (fs::is_directory(bin / d)) fs::create_directory_symlink(bin / d, dir / d);
    }
    void start() {
        // Names, ids and the water's wave start over with each game, and its levels take
        // fixed seeds, so the pictures are the same whatever ran before.
        cRender().init();  // the fixed state the game sets once
        game = std::make_unique<cGame>();
        game->setFixedSeeds(1);
        ASSERT_TRUE(game->init());
        game->onReshape(800, 600);
        game->onPassiveMotion(900, 700, 0, 0);  // the cursor, which pulses in real time, off the window
        con = game->getConsole();
        ASSERT_NE(con, nullptr);
    }
    // Drawing is slow: ticks without frames between the pictures.
    void ticks(int n, int ms) {
        for (int i = 0; i < n; i++) game->onUpdate(ms);
    }
    void frame(int ms) {
        game->onUpdate(ms);
        game->onDisplay();
    }
    void frameLooksLike(const char* picture, int ms = 20) {
        frame(ms);
        expectFrameLooksLike(picture);
    }
    // Both enemies removed: the level is won.
    void win() {
        type("ww");
        ticks(10, 20);
    }
    void tap(unsigned char key) {
        game->onKeyboard(key);
        game->onKeyboardUp(key);
    }
    void click(uint8_t buttons, int x, int y) {
        game->onMouseClick(buttons, x, y);
        game->onMouseClick(0, x, y);
        game->onPassiveMotion(900, 700, 0, 0);
    }
    void type(const std::string& text) {
        for (char c : text) tap(static_cast<unsigned char>(c));
    }
    // Types a command line into the console, opening it first.
    void run(const std::string& line) {
        if (!con->isActive()) tap('`');
        type(line);
        tap(13);
    }
    // Opens or closes the console and lets it slide all the way.
    void toggleConsole() {
        tap('`');
        con->update(1000000);
    }
    // Started with the frame counter, which shows real time, hidden and the console closed;
    // the console makes its font on the first frame.
    void quietStart() {
        start();
        game->onDisplay();
        run("fps 0");
        toggleConsole();
    }
    // A level of the first map, playing, with room in the console for every answer.
    cLevel* playing() {
        writeField(dir / "maps" / "01-field.bmp");
        start();
        con->resize(640, 30 + 16 * 60);
        frame(1000);
        frame(60);
        return game->getLevel();
    }

    // Destroyed in the reverse order: the game, then the working folder, then the folder.
    assetsTest::ScratchDir scratch;
    assetsTest::WorkingDir cwd{scratch.path};
    const fs::path dir = scratch.path;
    std::unique_ptr<cGame> game;
    cConsole* con = nullptr;
};

}  // namespace

TEST_F(Game, PlayedLevelsLookAsBefore) {
    if (!fs::exists(dir / "models")) GTEST_SKIP() << "the game's content is not built in " << ORBIX_BIN_DIR;
    writeField(dir / "maps" / "01-field.bmp");
    std::ofstream(dir / "maps" / "02-cut-short-with-a-name-too-long-for-one-line-of-the-window.bmp") << "BM6";
    writeField(dir / "maps" / "03-winter.bmp", true);
    quietStart();
    frame(1000);  // the menu passes on to the first level
    ASSERT_EQ(game->getLevel()->getLevelNumber(), 1);
    frameLooksLike("intro", 45);  // short of 50 ms of level time the intro still shows
    frame(15);                    // the tick that reaches 50 ms ends it

    type("aant");  // the minimap (n), and grenades instead of rockets (t)
    game->onKeyboard('2');  // turn the view
    game->onPassiveMotion(900, 700, 25, 0);
    game->onKeyboardUp('2');
    click(1, 520, 380);  // walk
    ticks(40, 20);
    click(4, 600, 250);  // fire
    ticks(2, 20);
    frameLooksLike("play");

    run("about");
    run("");
    con->write("\t\x01" "codes without a glyph take no room\x7f\xc8!\n");
    con->update(1000000);
    frameLooksLike("console");
    run("clear");
    run("controls");
    frameLooksLike("controls");
    toggleConsole();

    tap('p');
    frameLooksLike("paused");
    ticks(5, 20);  // the message blinks: one second of level time shown, half a second hidden
    frameLooksLike("paused-blink");
    tap('p');

    game->getLevel()->setGrenadesCount(7);  // what the squad carries on to the next level
    game->getLevel()->setRocketsCount(8);
    win();
    frameLooksLike("won");

    tap(13);
    ticks(5, 20);
    EXPECT_EQ(std::pair(game->getLevel()->getGrenadesCount(), game->getLevel()->getRocketsCount()), std::pair(7, 8));
    glEnable(GL_LIGHTING);  // as a level's 3D pass may leave it: the screen's text must not be lit
    frameLooksLike("failure");
    tap(13);
    ticks(5, 20);
    frameLooksLike("winter", 5);  // 45 ms into the level: its intro

    click(2, 790, 590);  // the middle button, away from the menu items: back to the menu
    frameLooksLike("menu", 5000);  // one long tick carries it all the way in

    // The texts in the picture lie in the boxes that act for them. "New Game" starts the
    // level after the last: past the end of the list, the menu once more; then play starts
    // over at the first level. ESC leaves it for the menu.
    click(1, 400, 260);  // "Quit"
    EXPECT_EQ(game->getQuitStatus(), 0);
    click(1, 400, 210);  // "New Game"
    ticks(1, 1000);
    EXPECT_EQ(game->getLevel(), nullptr);
    game->msgMenu(0);
    ASSERT_NE(game->getLevel(), nullptr);
    EXPECT_EQ(game->getLevel()->getLevelNumber(), 1);
    frame(60);
    tap(27);
    frame(20);
    EXPECT_EQ(game->getState(), cGame::kMenu);
}

TEST_F(Game, AContentFolderWithoutMapsSaysSo) {
    quietStart();
    frame(20);
    glScissor(0, 306, 800, 32);  // the folder line: its name differs from run to run
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    expectFrameLooksLike("nolevel");
    EXPECT_EQ(game->getExitStatus(), 1);
}

TEST_F(Game, CommandsTakeEffectPanelAndProjectionKeepTheirStateAndKeysAreFoldedAndHeldFromTheLevel) {
    cLevel* level = playing();
    ASSERT_NE(level, nullptr);
    const unsigned first = level->miniMapTex;
    ASSERT_NE(first, 0u);
    // The panel drawn again over the depth of the game's own frame, with texturing, blending
    // and depth testing left on as a 3D pass may leave them: the HUD must not depend on them.
    frame(10);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_ONE);
    glEnable(GL_DEPTH_TEST);
    level->renderUI(800, 600);
    EXPECT_EQ(pixelAt(90, 56), (std::array<int, 3>{110, 145, 147})) << "the rocket box, selected at start";
    EXPECT_EQ(pixelAt(40, 103), (std::array<int, 3>{184, 255, 159})) << "the leader's full life bar";
    ASSERT_TRUE(level->init());
    frame(10);
    EXPECT_TRUE(level->miniMapTex == first || !glIsTexture(first)) << "the old minimap texture is released";

    // After each line: the answer, then whether water, god mode and the frame counter are on.
    struct {
        const char* line;
        const char* answer;
        bool water, god, fps;
    } cases[] = {
        {"fps 0 1", " syntax: fps [0|1]", true, true, true},
        {"shadeModel flat", " syntax: shadeModel [FLAT|SMOOTH]", true, true, true},
        {"showWater 1 1", " syntax: showWater [0|1]", true, true, true},
        // Words are compared and repeated in their first 19 and 9 characters.
        {"abcdefghijklmnopqrstuvwxyz 0123456789ABC b c d", " ! Unknown command \"abcdefghijklmnopqrs 012345678 b c d\".", true, true, true},
        {"showWater 0", ">showWater 0", false, true, true},
        {"showWater 1", ">showWater 1", true, true, true},
        {"god 0", ">god 0", true, false, true},
        {"god 2", " syntax: god [0|1]", true, false, true},
        {"god 1", ">god 1", true, true, true},
        {"fps 0", ">fps 0", true, true, false},
        {"fps 1", ">fps 1", true, true, true},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.line);
        run(c.line);
        std::string answer = con->getRow(con->getCurLine());  // the newest line, blank padding removed
        EXPECT_EQ(answer.erase(answer.find_last_not_of(' ') + 1), c.answer);
        EXPECT_EQ(level->getMap().getShowWater(), c.water);
        EXPECT_EQ(level->getGodMode(), c.god);
        EXPECT_EQ(game->getFPS().isShown(), c.fps);
    }

    // The model holds for every frame drawn after the command: the widgets that draw
    // gradients (cursor, squad panel, ground marker) must not undo it.
    for (auto [word, model] : {std::pair{"FLAT", GL_FLAT}, {"SMOOTH", GL_SMOOTH}}) {
        run(std::string("shadeModel ") + word);
        for (int i = 0; i < 20; ++i) frame(5);
        EXPECT_EQ(glInt(GL_SHADE_MODEL), model) << word;
    }

    // Reshapes keep exactly one saved perspective.
    for (auto& s : {std::pair{640, 480}, {0, 0}, {300, 0}, {0, 200}, {1024, 768}, {1, 1}, {1280, 720}})
        game->onReshape(s.first, s.second);
    EXPECT_EQ(glInt(GL_PROJECTION_STACK_DEPTH), 2);
    game->onReshape(0, 0);
    EXPECT_EQ(std::make_pair(game->getWidth(), game->getHeight()), std::make_pair(1, 1)) << "never less than 1 x 1";
    frame(10);  // a frame in a level leaves the stack as it found it
    EXPECT_EQ(glInt(GL_PROJECTION_STACK_DEPTH), 2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // The function keys reach the console and the counter while the console is hidden.
    game->onReshape(800, 600);  // room for the console's text again
    toggleConsole();
    // F2 makes it more opaque, F1 less, by 2 each.
    for (int key : {2, 1, 1}) game->onSpecialFunc(key);
    EXPECT_EQ(con->getBkgAlpha(), 126);
    const bool opaque = game->getFPS().getOpaque();
    game->onSpecialFunc(3);
    EXPECT_EQ(game->getFPS().getOpaque(), !opaque);

    game->onKeyboard('A');
    EXPECT_TRUE(game->getKeys().isKey('a'));
    game->onKeyboardUp('a');
    EXPECT_FALSE(game->getKeys().isKey('a'));
    game->onKeyboard('1');
    tap('`');
    ASSERT_TRUE(con->isActive());
    // A release while the console is open is dropped: the key stays held.
    game->onKeyboardUp('1');
    EXPECT_TRUE(game->getKeys().isKey('1'));
    // Typed keys go to the console only, and so does their release after it closed:
    // 'm' is the level's view-culling toggle.
    const bool fov = level->getFov();
    game->onKeyboard('m');
    EXPECT_FALSE(game->getKeys().isKey('m'));
    tap('~');
    ASSERT_FALSE(con->isActive());
    game->onKeyboardUp('m');
    EXPECT_EQ(level->getFov(), fov);
    game->onKeyboardUp('1');
    EXPECT_FALSE(game->getKeys().isKey('1'));
    tap('m');
    EXPECT_NE(level->getFov(), fov) << "later keys reach the level again";

    // "close" + Enter hides the console on the press; on the success screen the Enter
    // release would advance the level, so it must not get there.
    win();
    tap('`');
    tap(8);  // the 'm' is still on the command line
    type("close");
    game->onKeyboard(13);
    EXPECT_FALSE(con->isActive());
    game->onKeyboardUp(13);
    EXPECT_EQ(level->getState(), cLevel::stateWon);
    tap(13);
    EXPECT_EQ(level->getState(), cLevel::stateWon + 1);

    // A recording of a map the game has plays that level and ends as a success.
    sReplay rec;
    rec.levels.resize(1);
    rec.levels[0].mapName = level->getMapName();
    game->startReplay(&rec, true);
    game->onUpdate(5);
    EXPECT_EQ(std::pair(game->isReplayOver(), game->getReplayStatus()), std::pair(true, 0));
}
