// orbix-tool's checking commands: output, reasons and exit status.
#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

using namespace assetsTest;

namespace {

struct sRun {
    int status;
    std::string out;
    std::string err;
};

class OrbixTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        tool = ORBIX_BIN_DIR "/orbix-tool";
        if (!std::filesystem::exists(tool))
            GTEST_SKIP() << "orbix-tool is not built";
    }
    sRun run(const std::string& args)
    {
        std::string out = dir.file("stdout.txt"), err = dir.file("stderr.txt");
        int status = std::system(("'" + tool + "' " + args + " >'" + out + "' 2>'" + err + "'").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
    }
    static std::string readAll(const std::string& path)
    {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    ScratchDir dir;
    std::string tool;
};

int countLines(const std::string& s)
{
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

} // namespace

TEST_F(OrbixTool, BmpPrintsTheSizeOrSaysWhyNot)
{
    writeFile(dir.file("ok.bmp"), bmp24(5, 3, [](int, int) { return std::tuple<int, int, int>(1, 2, 3); }));
    writeFile(dir.file("junk.bmp"), "BM this is not a picture");
    sRun ok = run("bmp " + dir.file("ok.bmp"));
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "5x3\n");
    for (const char* bad : {"junk.bmp", "absent.bmp"}) {
        sRun r = run(std::string("bmp ") + dir.file(bad));
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(countLines(r.err), 1) << r.err;
    }
}

TEST_F(OrbixTool, AseSummarisesAnObjectOrSaysWhyNot)
{
    using namespace aseText;
    writeFile(dir.file("m.ase"), scene() + square("First") + square("Second"));
    sRun first = run("ase " + dir.file("m.ase"));
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, "-----------------------\n name: First\n vertices: 4\n faces: 2\n\n");
    sRun second = run("ase " + dir.file("m.ase") + " Second");
    EXPECT_EQ(second.status, 0);
    EXPECT_NE(second.out.find(" name: Second\n"), std::string::npos);

    sRun none = run("ase " + dir.file("m.ase") + " Third");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(countLines(none.err), 1);
    EXPECT_NE(none.err.find("no object of that name"), std::string::npos) << none.err;
    writeFile(dir.file("bad.ase"), scene() + geomObject("B", nodeTm("B") + meshBlock(squareVerts(), {{0, 1, 9}})));
    sRun bad = run("ase " + dir.file("bad.ase"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("vertex that does not exist"), std::string::npos) << bad.err;
}

TEST_F(OrbixTool, WrongCommandLinesExitWithTwo)
{
    for (const char* args : {"", "bmp", "ase", "frobnicate x", "bmp a b", "ase a b c"})
        EXPECT_EQ(run(args).status, 2) << args;
}
