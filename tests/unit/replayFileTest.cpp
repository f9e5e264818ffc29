// Recordings: written and read back they replay in step; cut, damaged and changed ones are handled.
#include "bots/cBot.h"
#include "level/cLevel.h"
#include "level/replay/cLevelReplay.h"
#include "level/replay/cRecorder.h"
#include "level/replay/cReplayReader.h"
#include "level/replay/cReplayWriter.h"
#include "level/replay/levelStateHash.h"
#include "levelTestMaps.h"
#include "shell/cGame.h"

#include "assetsTestFiles.h"

namespace {

class ReplayFileTest : public LevelFolderTest {
protected:
    // Replays every level (on run when given, as the game does); answers the last step and
    // leaves the last level's hash.
    cLevelReplay::eStep replay(const sReplay& rec, int64_t& ticks, cRunState* run = nullptr) {
        cLevelReplay::eStep step = cLevelReplay::finished;
        ticks = 0;
        for (const sReplayLevel& l : rec.levels) {
            cLevel level(l.number);
            level.setMapName(l.mapName.substr(5).c_str());
            level.start({.seed = l.seed, .run = run, .restore = &l.run});
            cLevelReplay feed;
            feed.start(l, level);
            // Every recorded tick is one 5 ms step; none is left to wait for at the end.
            int ms = feed.nextTickMs();
            for (; (step = feed.step()) == cLevelReplay::played; ms = feed.nextTickMs()) EXPECT_EQ(ms, cLevel::stepMs);
            if (step == cLevelReplay::finished) { EXPECT_EQ(ms, -1); }
            ticks = feed.getTick();
            replayedHash = levelStateHash(level);
            if (step == cLevelReplay::outOfStep) break;
        }
        return step;
    }

    uint64_t replayedHash = 0;
};

TEST_F(ReplayFileTest, ABotGameReplaysInStepEvenAfterOtherLevelsAnotherSeedGoesOutOfStepAndACutFileReplaysToItsCut) {
    // The bot on a small map with an enemy in sight, recorded at a difficulty other than the
    // replaying level's own, which the replay must restore.
    writeMap("01-field.bmp", 40, 40, {{10, 10, kSquadMark}, {22, 18, kEnemyMark}, {25, 12, kEnemyMark}});
    cRecorder recorder;
    std::string why;
    ASSERT_TRUE(recorder.open("game.orbrec", "test", 800, 600, why)) << why;
    cLevel level(1);
    level.setMapName("01-field.bmp");
    level.setPlayRules({.difficulty = eDifficulty::recruit});
    ASSERT_TRUE(level.start({.seed = 5, .recorder = &recorder}));
    level.setGodMode(false);
    const sBotResult result = cBot().play(level, 20000);
    const uint64_t endHash = levelStateHash(level);
    recorder.finish();
    const std::string file = assetsTest::fileBytes("game.orbrec");
    const std::vector<uint8_t> good(file.begin(), file.end());
    sReplay played;
    ASSERT_EQ(cReplayReader::parse(good.data(), good.size(), played, why), cReplayReader::whole) << why;
    ASSERT_EQ(played.levels.size(), 1u);  // its map name, seed and end are what the replay below runs on
    EXPECT_EQ(played.levels[0].run.difficulty, eDifficulty::recruit);
    // Fixed 5 ms ticks between orders fold into runs: far fewer records than ticks.
    EXPECT_LT(played.levels[0].events.size() * 4, size_t(played.levels[0].ticks));

    int64_t ticks;
    EXPECT_EQ(replay(played, ticks), cLevelReplay::finished);
    EXPECT_EQ(std::pair(ticks, replayedHash), std::pair(int64_t(result.timeMs / cLevel::stepMs), endHash));
    cLevel restored(1);
    restored.setMapName("01-field.bmp");
    ASSERT_TRUE(restored.start({.restore = &played.levels[0].run}));
    EXPECT_EQ(std::pair(restored.getPlayRules().difficulty, restored.getAmmo().getSquadDamageScale()),
              std::pair(eDifficulty::recruit, squadDamageScale(eDifficulty::recruit)));
    // The program's run state moves on with every level; each replay restores the recorded one.
    cRunState run;
    for (int round = 0; round < 2; round++) {
        cLevel other(2);
        other.setMapName("01-field.bmp");
        ASSERT_TRUE(other.start({.seed = 77, .run = &run}));
        for (int i = 0; i < 3000; i++) other.update(cLevel::stepMs);
        EXPECT_NE(run, played.levels[0].run);
        replayedHash = 0;
        EXPECT_EQ(replay(played, ticks, &run), cLevelReplay::finished) << round;
        EXPECT_EQ(replayedHash, endHash) << round;
    }
    played.levels[0].seed ^= 1;
    EXPECT_EQ(replay(played, ticks), cLevelReplay::outOfStep);
    EXPECT_EQ(ticks, 1000 / cLevel::stepMs);
    // The same recording cut short replays up to its cut; damaged copies are refused.
    for (size_t keep : {size_t(30), good.size() / 2, good.size() - 9, good.size() - 1}) {
        sReplay rec;
        std::string message;
        ASSERT_EQ(cReplayReader::parse(good.data(), keep, rec, message), cReplayReader::cutShort) << keep;
        EXPECT_NE(message.find("cut short"), std::string::npos) << message;
        if (!rec.levels.empty()) {
            EXPECT_NE(replay(rec, ticks), cLevelReplay::outOfStep) << keep;
            EXPECT_NE(message.find("tick " + std::to_string(rec.levels[0].ticks)), std::string::npos) << message;
        }
    }
    const size_t header = 8 + 4 + 1 + 4 + 4;  // version "test", window size
    const size_t firstRecord = header + 1 + 1 + 1 + 17 + 19;  // the level record
    // (byte, value written there or -1 to append one, what the refusal says)
    const struct { size_t at; int value; const char* says; } cases[] = {
        {0, 'X', "not a recording"}, {8, 3, "format version 3"},
        {8, 1, "recording format 1 is no longer played; this game plays format 2"}, {10, 9, "simulation version 9"},
        {header + 1, 0, "level number"}, {firstRecord, 0xee, "unknown record"},
        {good.size() - 1, 'T', "outside any level"}, {good.size(), -1, ""},
        {firstRecord - 1, 3, "difficulty out of range"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = good;
        if (c.value < 0)
            bytes.push_back(0);
        else
            bytes[c.at] = uint8_t(c.value);
        sReplay rec;
        std::string message;
        EXPECT_EQ(cReplayReader::parse(bytes.data(), bytes.size(), rec, message), cReplayReader::refused) << c.at;
        EXPECT_NE(message.find(c.says), std::string::npos) << c.at << ": " << message;
        EXPECT_TRUE(rec.levels.empty());
    }
}

// A level after one that launched nothing is handed 99 of each, one fewer than its squad
// starts with: the replay's shot count must not take that for a rocket and a grenade.
TEST_F(ReplayFileTest, CarriedAmmunitionIsNoShotAndALaunchIsOne) {
    writeMap("02-field.bmp", 40, 40, {{10, 10, kSquadMark}, {35, 35, kEnemyMark}});
    cLevel level(2);
    level.setMapName("02-field.bmp");
    ASSERT_TRUE(level.init());
    sReplayLevel rec;
    for (sLevelInput in : {sLevelInput{sLevelInput::grenades, 99}, {sLevelInput::rockets, 99}})
        rec.events.push_back({sReplayEvent::input, in});
    rec.events.push_back({.type = sReplayEvent::ticks, .in = {}, .ms = 50, .count = 1});
    rec.events.push_back({sReplayEvent::input, {sLevelInput::launch, 0, 14, 10}});
    cLevelReplay feed;
    feed.start(rec, level);
    EXPECT_EQ(feed.step(), cLevelReplay::played);  // the intro's end
    EXPECT_EQ(feed.step(), cLevelReplay::finished);
    EXPECT_EQ(feed.getShots(), 1);
}

}  // namespace

// The header and each level record reach the disk as they are written, so a game that dies
// leaves a readable recording; numbers of every width, over-long names and the run state read
// back as written.
TEST(ReplayWriter, EachRecordReachesTheDiskAndReadsBack) {
    assetsTest::ScratchDir dir;
    const std::string path = dir.file("r.orbrec");
    for (int number : {1, 127, 128, 16384}) {
        cReplayWriter w;
        std::string error;
        ASSERT_TRUE(w.open(path, std::string(300, 'v'), 800, 600, error)) << error;
        EXPECT_EQ(assetsTest::fileBytes(path).size(), 8u + 2 + 2 + 1 + 255 + 2 + 2) << "the header, version cut to 255";
        const std::string mapName = "maps/" + std::string(size_t(number % 1000), 'm');
        cRunState run;
        run.waveAngle = 0.001f * float(number % 6000);
        run.lastUnitId = number * 1000;
        run.nameIndex = number % 41;
        run.difficulty = kDifficulties[size_t(number) % kDifficulties.size()];
        w.beginLevel(number, mapName, 1, 77, run);
        const std::string bytes = assetsTest::fileBytes(path);
        sReplay rec;
        std::string message;
        ASSERT_TRUE(cReplayReader::parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), rec, message) ==
                        cReplayReader::cutShort && rec.levels.size() == 1u) << number << ": " << message;
        EXPECT_EQ(std::pair(rec.levels[0].number, rec.levels[0].mapName), std::pair(number, mapName.substr(0, 255)));
        EXPECT_TRUE(rec.levels[0].run == run) << number;
    }
    // A tick that ran backwards is kept as 0 ms, and the first checkpoint falls a whole second into
    // the level: a replay checks its hashes exactly there.
    cReplayWriter w;
    cLevel level(1);
    std::string error;
    ASSERT_TRUE(w.open(path, "v", 800, 600, error)) << error;
    w.beginLevel(1, "maps/a.bmp", 1, 3, cRunState());
    for (int ms : {-5, 999, 1}) w.ticked(level, ms);
    w.close();
    sReplay rec;
    ASSERT_EQ(cReplayReader::read(path, rec, error), cReplayReader::whole) << error;
    std::vector<std::pair<int, int>> events;
    for (const sReplayEvent& e : rec.levels[0].events) events.push_back({e.type, e.ms});
    EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{sReplayEvent::ticks, 0}, {sReplayEvent::ticks, 999},
                                                         {sReplayEvent::ticks, 1}, {sReplayEvent::checkpoint, 0}}));
}

// A recording of a map the game does not have ends the playback as a failure, saying which.
TEST(GameReplay, AMapTheGameLacksEndsThePlaybackAsAFailure) {
    sReplay rec;
    rec.levels.resize(1);
    rec.levels[0].mapName = "maps/none.bmp";
    cGame game;
    game.startReplay(&rec, true);
    testing::internal::CaptureStderr();
    game.onUpdate(5);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "replay: the map maps/none.bmp is not among the game's levels\n");
    EXPECT_EQ(std::pair(game.isReplayOver(), game.getReplayStatus()), std::pair(true, 1));
}
