// Scratch content folder with small hand-made maps, entered for the length of one test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "assetsTestFiles.h"
#include "assets/cBitmap.h"
#include "level/cLevel.h"
#include "level/iLevelLog.h"

struct sMapMark {
    int x, y;
    sRGBA colour;
};

inline const sRGBA kEnemyMark(255, 0, 0, 255);
inline const sRGBA kSquadMark(0, 255, 0, 255);
inline const sRGBA kTreeMark(0, 0, 0, 255);

// What a recording is handed: how many aims, the kind of every other input, and each tick's length.
struct sLevelLogged : iLevelLog {
    int aims = 0;
    std::vector<sLevelInput::eKind> kinds;
    std::vector<int> frames;
    void input(const sLevelInput& in) override {
        in.kind == sLevelInput::aim ? void(aims++) : kinds.push_back(in.kind);
    }
    void ticked(cLevel&, int ms) override { frames.push_back(ms); }
};

class LevelFolderTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(dir / "maps"); }
    // A w x h map of plain ground with the given marks, saved as maps/name.
    void writeMap(const std::string& name, int w, int h, const std::vector<sMapMark>& marks) {
        cBitmap map(w, h);
        for (int i = 0; i < w * h; i++) map.setColor(i % w, i / w, 120, 160, 80, 255);
        for (const sMapMark& m : marks)
            map.setColor(m.x, m.y, m.colour.r, m.colour.g, m.colour.b, 255);
        ASSERT_TRUE(map.saveToFile("maps/" + name));
    }

    assetsTest::ScratchDir scratch;
    const std::filesystem::path dir = scratch.path;
    assetsTest::WorkingDir inside{dir}; // left before the scratch folder goes
};

// A level on a map the test draws, built and, when asked, run past its intro into play.
class LevelTest : public LevelFolderTest {
protected:
    void build(const std::vector<sMapMark>& marks, int w = 48, int h = 48, bool play = true) {
        writeMap("m.bmp", w, h, marks);
        level.setMapName("m.bmp");
        ASSERT_TRUE(level.init());
        if (play) startPlay();
    }
    // The intro lasts 50 ms; stepping stops at the step that ends it, so a map without
    // enemies is caught in play, before the next step declares it won. settleMs more
    // of play let the camera glide over the squad.
    void startPlay(int settleMs = 0) {
        for (int t = 0; t < 100 && level.getState() == cLevel::stateIntro; t += cLevel::stepMs)
            level.update(cLevel::stepMs);
        ASSERT_EQ(level.getState(), cLevel::statePlaying);
        for (int left = settleMs; left > 0; left -= cLevel::maxFrameMs)
            level.update(std::min(left, cLevel::maxFrameMs));
    }
    void play(int ms) {
        for (; ms > 0; ms -= cLevel::stepMs) level.update(cLevel::stepMs);
    }
    cLevel level{1};
};
