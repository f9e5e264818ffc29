// The game's command line: its options, the X options handed on to GLUT, and the refusals.
#include "shell/cCommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

cCommandLine::eAction parse(cCommandLine& line, std::vector<std::string> args) {
    args.insert(args.begin(), "orbix-tal");
    static std::vector<std::string> keep;
    keep = args;
    std::vector<char*> argv;
    for (std::string& a : keep) argv.push_back(a.data());
    return line.parse(int(argv.size()), argv.data());
}

TEST(CommandLine, AnswersEachLineWithItsActionPassesXOptionsOnAndResolvesPaths) {
    const struct {
        std::vector<std::string> args;
        cCommandLine::eAction action;
    } cases[] = {
        {{}, cCommandLine::run},
        {{"--help"}, cCommandLine::showHelp},
        {{"--campaign"}, cCommandLine::run},
        {{"-display", ":5", "--version"}, cCommandLine::showVersion},
        {{"--frobnicate"}, cCommandLine::wrong},
        {{"-display"}, cCommandLine::wrong},
        {{"--level", "0"}, cCommandLine::wrong},
        {{"--level", "2x"}, cCommandLine::wrong},
        {{"--record"}, cCommandLine::wrong},
        {{"--play", "a", "--record", "b"}, cCommandLine::wrong},
        {{"--play", "a", "--timedemo", "b"}, cCommandLine::wrong},
        {{"--timedemo", "a", "--level", "2"}, cCommandLine::wrong},
        {{"--record", "a", "--record", "b"}, cCommandLine::wrong},
        {{"--campaign", "--play", "x.orbrec"}, cCommandLine::wrong},
    };
    for (const auto& c : cases) {
        cCommandLine line;
        const std::string joined = ::testing::PrintToString(c.args);
        EXPECT_EQ(parse(line, c.args), c.action) << joined;
        const std::string& error = line.getError();  // a refusal says what is wrong, on one line
        EXPECT_TRUE(c.action != cCommandLine::wrong || (!error.empty() && error.find('\n') == std::string::npos))
            << joined;
        const bool campaign = c.args == std::vector<std::string>{"--campaign"};
        EXPECT_TRUE(c.action != cCommandLine::run || line.isCampaign() == campaign) << joined;
    }
    EXPECT_NE(std::string(cCommandLine::helpText()).find("--campaign"), std::string::npos);
    // A whole line: X options go to GLUT with their values, paths are resolved.
    cCommandLine line;
    ASSERT_EQ(parse(line, {"-geometry", "--level", "-sync", "--level", "4", "--record", "rec/a.orbrec"}),
              cCommandLine::run);
    // -geometry takes the next word as its value even when it looks like an option.
    std::vector<std::string> glut;
    for (char* a : line.getGlutArgs()) glut.push_back(a);
    EXPECT_EQ(glut, (std::vector<std::string>{"orbix-tal", "-geometry", "--level", "-sync"}));
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(std::tuple(line.getStartLevel(), line.getRecordFile(), line.getStartFolder()),
              std::tuple(4, here + "/rec/a.orbrec", here));
}

TEST(CommandLine, TakesAViewOnlyForTheTimedemoAndOnlyByAKnownName) {
    const struct {
        std::vector<std::string> args;
        bool wide;
    } accepted[] = {
        {{"--timedemo", "a", "--view", "wide"}, true},
        {{"--view", "wide", "--timedemo", "a"}, true},
        {{"--timedemo", "a", "--view", "default"}, false},
        {{"--timedemo", "a"}, false},
    };
    for (const auto& c : accepted) {
        cCommandLine line;
        EXPECT_EQ(parse(line, c.args), cCommandLine::run) << ::testing::PrintToString(c.args);
        EXPECT_EQ(line.isWideView(), c.wide) << ::testing::PrintToString(c.args);
    }
    // The player's own game and a shown recording keep the camera in the player's hands.
    const std::vector<std::string> refused[] = {
        {"--view", "wide"},
        {"--view", "default"},
        {"--play", "a", "--view", "wide"},
        {"--record", "a", "--view", "wide"},
        {"--campaign", "--view", "wide"},
        // Names the option does not know, a missing one, and a second view.
        {"--timedemo", "a", "--view", "far"},
        {"--timedemo", "a", "--view", "Wide"},
        {"--timedemo", "a", "--view", ""},
        {"--timedemo", "a", "--view"},
        {"--timedemo", "a", "--view", "wide", "--view", "default"},
    };
    for (const auto& args : refused) {
        cCommandLine line;
        EXPECT_EQ(parse(line, args), cCommandLine::wrong) << ::testing::PrintToString(args);
        EXPECT_NE(line.getError().find("--view"), std::string::npos) << line.getError();
    }
}

}  // namespace
