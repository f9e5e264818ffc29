// Console commands and the controller's console routing, in a controller started on a one-map content folder.
#include "assets/cBitmap.h"
#include "level/cLevel.h"
#include "shell/cGame.h"
#include "ui/cConsole.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ConsoleCommands : ::testing::Test {
    fs::path dir, back;
    std::unique_ptr<cGame> game;
    cConsole* con = nullptr;
    std::string firstRow; // the console's first line after start-up

    void SetUp() override {
        dir = fs::temp_directory_path() / ("orbix-commands-" + std::to_string(getpid()));
        fs::create_directories(dir / "maps");
        cBitmap map(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) map.setColor(x, y, 90, 140, 60, 255);
        map.setColor(8, 8, 0, 255, 0, 255);
        map.setColor(2, 13, 255, 0, 0, 255);
        ASSERT_TRUE(map.saveToFile((dir / "maps/01-test.bmp").string()));
        back = fs::current_path();
        fs::current_path(dir);
        game = std::make_unique<cGame>();
        ASSERT_TRUE(game->init());
        con = game->getConsole();
        ASSERT_NE(con, nullptr);
        firstRow = con->getRow(1);
        // Room for the longest answer, so nothing scrolls away.
        con->resize(640, 30 + 16 * 60);
        con->clear();
    }

    void TearDown() override {
        game.reset();
        fs::current_path(back);
        fs::remove_all(dir);
    }

    void press(unsigned char key) {
        game->onKeyboard(key);
        game->onKeyboardUp(key);
    }
    void run(const std::string& line) {
        if (!con->isActive()) press('`');
        for (char c : line) press((unsigned char)c);
        press(13);
    }
    // Output lines oldest first, blank padding and empty lines of the ring's start removed.
    std::vector<std::string> output() const {
        std::vector<std::string> out;
        int rows = con->getRows();
        for (int n = 1, i = con->getCurLine(); n < rows; ++n) {
            i = i + 1 > rows - 1 ? 1 : i + 1;
            std::string s = con->getRow(i);
            s.erase(s.find_last_not_of(' ') + 1);
            if (!s.empty() || !out.empty()) out.push_back(s);
        }
        return out;
    }
    std::string last(int fromEnd = 0) const {
        std::vector<std::string> out = output();
        int n = int(out.size());
        return fromEnd < n ? out[n - 1 - fromEnd] : std::string("<none>");
    }
    void startLevel() {
        game->msgMenu(0);
        ASSERT_EQ(game->getState(), cGame::kLevel);
        ASSERT_NE(game->getLevel(), nullptr);
    }
};

// Splits written text into console lines the way the console does (no wrapping needed here).
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        line.erase(line.find_last_not_of(' ') + 1);
        out.push_back(line);
    }
    return out;
}

} // namespace

TEST_F(ConsoleCommands, AboutAndTheStartUpLine) {
    EXPECT_EQ(firstRow.substr(0, 21), "Orbix-TAL  v.0.0.2.0 ");

    run("about");
    EXPECT_EQ(last(1), ">about");
    EXPECT_EQ(last(0), "Orbix-TAL   build = 0.0.2.0");
    run("about me");
    EXPECT_EQ(last(0), "Orbix-TAL   build = 0.0.2.0");
}

TEST_F(ConsoleCommands, AnEmptyLineListsTheCommands) {
    run("");
    std::vector<std::string> want = {"Commands:", " about", " controls", " clear", " close",
                                     " fps [0|1]", " god [0|1]", " shadeModel [FLAT|SMOOTH]",
                                     " showWater [0|1]"};
    EXPECT_EQ(output(), want);
    con->clear();
    run("help");
    EXPECT_EQ(last(), " ! Unknown command \"help\".");
}

TEST_F(ConsoleCommands, ControlsPrintsTheKeyReference) {
    run("controls");
    std::string text =
        "\nControls:\n mouse:\n"
        "       LMB     = move soldier\n"
        "       RMB     = shoot\n"
        "       RMB+LMB = shoot rocket/throw grenade\n"
        "       MMB     = return to menu, and prepare next level\n"
        " \n"
        " keyboard:\n"
        "       [F1/F2] = console transparency\n"
        "       [F3]    = toggle fps transparent/opaque\n"
        "       [F4]    = mouse lock toggle (experimental!!)\n"
        "       [F5]    = full power mode toggle\n"
        "       [~]     = console toggle\n"
        "\n"
        " special in level:\n"
        "       [a]/[s] = add/remove soldier\n"
        "       [q]/[w] = add/remove enemy soldier\n"
        "       [t]     = toggle between grenades and rockets\n"
        "       [k]     = hurt all enemies\n"
        "\t\t [p]     = pause game\n"
        "       [ESC]   = quit to menu\n"
        "\n"
        " TAL new:\n"
        "       [v]/[b] = inc/dec LOD (lower means better model)\n"
        "       [l]     = toggle lifemeters\n"
        "       [m]     = toggle FOV\n"
        "       [n]     = toggle minimap\n"
        "\n"
        " camera setup:\n"
        "       [1]+mouse = rotate X\n"
        "       [2]+mouse = rotate Z\n"
        "       [3]+mouse = zoom\n"
        "       [SPACE]+mouse = move camera\n";
    std::vector<std::string> want = linesOf(text.substr(1));
    // The last line end opens the empty line being written.
    want.push_back("");
    EXPECT_EQ(output(), want);
}

TEST_F(ConsoleCommands, OneParameterCommandsCheckTheirSyntax) {
    struct { const char* line; const char* answer; } cases[] = {
        {"fps", " syntax: fps [0|1]"},
        {"fps 0 1", " syntax: fps [0|1]"},
        {"fps 00", " syntax: fps [0|1]"},
        {"shadeModel flat", " syntax: shadeModel [FLAT|SMOOTH]"},
        {"showWater 1 1", " syntax: showWater [0|1]"},
        {"god on", " syntax: god [0|1]"},
        {"FPS 1", " ! Unknown command \"FPS 1\"."},
        // Without a level the switches change nothing but still echo.
        {"showWater 0", ">showWater 0"},
        {"god 1", ">god 1"},
    };
    for (auto c : cases) {
        run(c.line);
        EXPECT_EQ(last(), c.answer) << c.line;
        EXPECT_TRUE(game->getFPS().isShown()) << c.line;
    }
}

TEST_F(ConsoleCommands, FpsAndShadeModelTakeEffect) {
    run("fps 0");
    EXPECT_FALSE(game->getFPS().isShown());
    EXPECT_EQ(last(), ">fps 0");
    run("fps 1");
    EXPECT_TRUE(game->getFPS().isShown());

    // The model holds for every frame drawn after the command: the widgets that
    // draw gradients (cursor, squad panel, ground marker) must not undo it.
    startLevel();
    game->getLevel()->endIntroIfDue();
    auto modelAfterFrames = [&] {
        for (int i = 0; i < 100; ++i) {
            game->onUpdate(5);
            game->onDisplay();
        }
        GLint model = 0;
        glGetIntegerv(GL_SHADE_MODEL, &model);
        return model;
    };
    run("shadeModel FLAT");
    EXPECT_EQ(last(), ">shadeModel FLAT");
    EXPECT_EQ(modelAfterFrames(), GL_FLAT);
    run("shadeModel SMOOTH");
    EXPECT_EQ(modelAfterFrames(), GL_SMOOTH);
}

TEST_F(ConsoleCommands, LevelSwitchesReachTheLevel) {
    startLevel();
    cLevel* level = game->getLevel();
    EXPECT_TRUE(level->getGodMode());
    run("god 0");
    EXPECT_FALSE(level->getGodMode());
    run("god 2");
    EXPECT_FALSE(level->getGodMode());
    run("showWater 0");
    EXPECT_FALSE(level->getMap().getShowWater());
    EXPECT_EQ(last(), ">showWater 0");
    run("showWater 1");
    EXPECT_TRUE(level->getMap().getShowWater());
}

TEST_F(ConsoleCommands, UnknownCommandsRepeatWhatWasTyped) {
    run("warp 1 2 3 4 5");
    EXPECT_EQ(last(), " ! Unknown command \"warp 1 2 3 4\".");
    // Words are compared and repeated in their first 19 and 9 characters.
    run("abcdefghijklmnopqrstuvwxyz 0123456789ABC b c d");
    EXPECT_EQ(last(), " ! Unknown command \"abcdefghijklmnopqrs 012345678 b c d\".");
    run("aboutabout");
    EXPECT_EQ(last(), " ! Unknown command \"aboutabout\".");
}

TEST_F(ConsoleCommands, ClearEmptiesEverything) {
    run("about");
    for (char c : std::string("clear and more")) press((unsigned char)c);
    press(13);
    EXPECT_TRUE(output().empty());
    EXPECT_EQ(con->getRow(0), std::string(size_t(con->getColumns()), ' '));
    EXPECT_EQ(con->getCurLine(), 1);
}

TEST_F(ConsoleCommands, CloseEchoesThenSlidesUp) {
    run("close");
    EXPECT_EQ(last(), ">close");
    EXPECT_EQ(con->getState(), cConsole::HIDING);
}

TEST_F(ConsoleCommands, FunctionKeysReachTheConsoleAndCounterWhileHidden) {
    ASSERT_FALSE(con->isActive());
    game->onSpecialFunc(2);
    EXPECT_EQ(con->getBkgAlpha(), 130);
    game->onSpecialFunc(1);
    game->onSpecialFunc(1);
    EXPECT_EQ(con->getBkgAlpha(), 126);
    bool opaque = game->getFPS().getOpaque();
    game->onSpecialFunc(3);
    EXPECT_EQ(game->getFPS().getOpaque(), !opaque);
}
