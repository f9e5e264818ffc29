// orbix-tool's checking commands: output, reasons and exit status.
#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

using namespace assetsTest;

namespace {

struct sRun {
    int status;
    std::string out, err;
};

class OrbixTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(ORBIX_BIN_DIR "/orbix-tool"))
            GTEST_SKIP() << "orbix-tool is not built";
    }
    sRun run(const std::string& args)
    {
        std::string out = dir.file("stdout.txt"), err = dir.file("stderr.txt");
        int status = std::system(("'" ORBIX_BIN_DIR "/orbix-tool' " + args + " >'" + out + "' 2>'" + err + "'").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileBytes(out), fileBytes(err)};
    }
    ScratchDir dir;
};

} // namespace

TEST_F(OrbixTool, BmpAndAseSummariseAFileOrSayWhyNotOnOneLine)
{
    using namespace aseText;
    writeFile(dir.file("ok.bmp"), bmp24(5, 3, [](int, int) { return std::tuple<int, int, int>(1, 2, 3); }));
    writeFile(dir.file("junk.bmp"), "BM this is not a picture");
    writeFile(dir.file("m.ase"), scene() + square("First") + square("Second"));
    writeFile(dir.file("bad.ase"), scene() + geomObject("B", nodeTm("B") + meshBlock(squareVerts(), {{0, 1, 9}})));
    const struct {
        std::string args, out, err;  // the whole output, and a part of the one error line
    } cases[] = {
        {"bmp ok.bmp", "5x3\n", ""},
        {"ase m.ase", "-----------------------\n name: First\n vertices: 4\n faces: 2\n\n", ""},
        {"ase m.ase Second", "-----------------------\n name: Second\n vertices: 4\n faces: 2\n\n", ""},
        {"bmp junk.bmp", "", "not an uncompressed 24-bit BMP"},
        {"bmp absent.bmp", "", "no such file"},
        {"ase m.ase Third", "", "no object of that name"},
        {"ase bad.ase", "", "vertex that does not exist"},
    };
    for (const auto& c : cases) {
        std::istringstream words(c.args);
        std::string command, file, rest;
        words >> command >> file;
        std::getline(words, rest);
        sRun r = run(command + " '" + dir.file(file) + "'" + rest);
        EXPECT_EQ(r.status, c.err.empty() ? 0 : 1) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), c.err.empty() ? 0 : 1) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.args << ": " << r.err;
    }
    for (const char* args : {"", "bmp", "ase", "frobnicate x", "bmp a b", "ase a b c"})
        EXPECT_EQ(run(args).status, 2) << args;
}
