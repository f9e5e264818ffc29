// The kept-file layer: where the files live, reading under a limit, and replacing a file so none is ever torn.
#include "campaign/cSettings.h"
#include "platform/cKeptFile.h"
#include "platform/keptFolders.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using assetsTest::fileBytes;
using assetsTest::ScratchDir;
using assetsTest::writeFile;

namespace {

std::vector<std::string> entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Sets an environment variable for this process only, putting the old value back at the end.
class cEnvVar {
public:
    cEnvVar(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) before = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~cEnvVar() { before ? ::setenv(name, before->c_str(), 1) : ::unsetenv(name); }

private:
    const char* name;
    std::optional<std::string> before;
};

// Runs body in a child process, which never returns into the test runner; answers its id.
pid_t spawn(const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    EXPECT_GT(pid, 0);
    return pid;
}

}  // namespace

TEST(KeptFile, FoldersFollowTheXdgRulesAndIgnoreRelativeValues) {
    EXPECT_EQ(keptFolderFrom("/x/conf", "/home/p", ".config"), "/x/conf/orbix-tal");
    EXPECT_EQ(keptFolderFrom("conf", "/home/p", ".config"), "/home/p/.config/orbix-tal");
    EXPECT_EQ(keptFolderFrom("", "/home/p", ".local/share"), "/home/p/.local/share/orbix-tal");
    EXPECT_EQ(keptFolderFrom(nullptr, "/home/p", ".config"), "/home/p/.config/orbix-tal");
    EXPECT_EQ(keptFolderFrom(nullptr, "home/p", ".config"), "");
    EXPECT_EQ(keptFolderFrom("", nullptr, ".config"), "");

    const cEnvVar home("HOME", "/home/p"), config("XDG_CONFIG_HOME", "/elsewhere"), data("XDG_DATA_HOME", "./data");
    EXPECT_EQ(keptConfigFolder(), "/elsewhere/orbix-tal");
    EXPECT_EQ(keptDataFolder(), "/home/p/.local/share/orbix-tal");
}

TEST(KeptFile, WritesWholeIntoNewPrivateFoldersAndReadsUnderItsLimit) {
    const ScratchDir scratch;
    const std::string folder = (scratch.path / "a/b/orbix-tal").string();
    const cKeptFile file(folder, "x.toml");
    std::string text, reason;
    EXPECT_EQ(file.read(text, reason), cKeptFile::missing);
    ASSERT_TRUE(file.write("one", reason)) << reason;
    ASSERT_TRUE(file.write("two", reason)) << reason;
    EXPECT_TRUE(file.read(text, reason) == cKeptFile::present && text == "two") << text;
    EXPECT_EQ(entries(folder), std::vector<std::string>{"x.toml"});
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(scratch.path / "a").permissions() & fs::perms::all, fs::perms::owner_all);

    writeFile(file.getPath(), std::string(cKeptFile::kMaxBytes, '#'));
    EXPECT_EQ(file.read(text, reason), cKeptFile::present);
    EXPECT_EQ(text.size(), cKeptFile::kMaxBytes);
    writeFile(file.getPath(), std::string(cKeptFile::kMaxBytes + 1, '#'));
    EXPECT_EQ(file.read(text, reason), cKeptFile::unreadable);
    EXPECT_EQ(std::pair(reason, text), std::pair(std::string("is larger than 1 MiB"), std::string()));

    // A folder or a pipe in the file's place is refused, and the pipe must not stall the read.
    const cKeptFile inFolder(folder, "sub");
    fs::create_directory(folder + "/sub");
    EXPECT_EQ(inFolder.read(text, reason), cKeptFile::unreadable);
    const cKeptFile pipe(folder, "pipe");
    ASSERT_EQ(::mkfifo(pipe.getPath().c_str(), 0600), 0);
    EXPECT_EQ(pipe.read(text, reason), cKeptFile::unreadable);
    EXPECT_EQ(reason, "is not a plain file");

    // No home folder: nothing to read, and saving says why instead of writing somewhere odd.
    const cKeptFile homeless("", "x.toml");
    EXPECT_EQ(homeless.read(text, reason), cKeptFile::missing);
    EXPECT_TRUE(!homeless.write("x", reason) && reason.find("HOME") != std::string::npos) << reason;
}

TEST(KeptFile, SetAsideReplacesAnOlderBadFileAndSaysWhere) {
    const ScratchDir scratch;
    const cKeptFile file(scratch.path.string(), "s.toml");
    writeFile(scratch.file("s.toml.bad"), "older");
    writeFile(file.getPath(), "newer");
    const std::string message = file.setAside("is damaged (line 1: nonsense)");
    EXPECT_EQ(message, file.getPath() + " is damaged (line 1: nonsense); it was set aside as " + file.getPath() +
                           ".bad and the game starts from defaults");
    EXPECT_EQ(fileBytes(scratch.file("s.toml.bad")), "newer");
    EXPECT_EQ(entries(scratch.path), std::vector<std::string>{"s.toml.bad"});
    EXPECT_NE(file.setAside("is gone").find("could not be set aside"), std::string::npos);
}

TEST(KeptFile, UnwritableFolderFailsWithAReasonAndLeavesNothing) {
    const ScratchDir scratch;
    // A file where a folder should be stops root too, unlike permission bits.
    writeFile(scratch.file("home/.local"), "not a folder");
    cSettings settings;
    std::string reason;
    EXPECT_TRUE(!settings.save(scratch.file("home/.local/share/orbix-tal"), reason) && reason.find("cannot make the folder") != std::string::npos) << reason;

    const std::string folder = scratch.file("ro");
    ASSERT_TRUE(settings.save(folder, reason)) << reason;
    // Nor can the temporary file be made where a folder has its name; permission bits would not stop root.
    const std::string temp = folder + "/settings.toml.tmp." + std::to_string(::getpid());
    fs::create_directory(temp);
    settings.volume = 5;
    EXPECT_TRUE(!settings.save(folder, reason) && reason.find("cannot create " + temp) != std::string::npos) << reason;
    fs::remove(temp);
    EXPECT_EQ(entries(folder), std::vector<std::string>{"settings.toml"});
    cSettings loaded;
    const sKeptLoad load = loaded.load(folder);
    EXPECT_TRUE(load.setAside.empty() && load.warnings.empty());
    EXPECT_EQ(loaded.volume, 80);
}

TEST(KeptFile, KillBetweenWriteAndRenameKeepsTheOldFileWhole) {
    const ScratchDir scratch;
    const std::string folder = scratch.path.string();
    cSettings old;
    old.volume = 30;
    std::string reason;
    ASSERT_TRUE(old.save(folder, reason));

    const pid_t child = spawn([&] {
        cKeptFile::setBeforeRename([](const std::string&) { ::_exit(0); });
        cSettings changed;
        changed.volume = 99;
        changed.save(folder, reason);
    });
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    pid_t killed = 0;
    for (const std::string& name : entries(folder))
        if (name.rfind("settings.toml.tmp.", 0) == 0) killed = std::stoi(name.substr(18));
    ASSERT_NE(killed, 0) << "the killed writer left no temporary file";
    EXPECT_NE(fileBytes(folder + "/settings.toml.tmp." + std::to_string(killed)).find("volume = 99"),
              std::string::npos);

    cSettings loaded;
    const sKeptLoad load = loaded.load(folder);
    EXPECT_TRUE(load.setAside.empty() && load.warnings.empty() && !load.fresh);
    EXPECT_EQ(loaded, old);
    // The dead writer's temporary file is cleared away, so the folder holds the kept file only.
    EXPECT_EQ(entries(folder), std::vector<std::string>{"settings.toml"});
}

TEST(KeptFile, TwoWritersAtOnceLeaveOneWholeFile) {
    const ScratchDir scratch;
    const cKeptFile file(scratch.path.string(), "scores.toml");
    const std::string a(200 * 1024, 'a'), b(150 * 1024, 'b');
    std::string text, reason;
    ASSERT_TRUE(file.write(a, reason));
    std::vector<pid_t> writers;
    for (const std::string* content : {&a, &b}) {
        writers.push_back(spawn([&] {
            std::string why;
            for (int i = 0; i < 100; i++)
                if (!file.write(*content, why)) ::_exit(1);
        }));
        ASSERT_GT(writers.back(), 0);
    }
    int torn = 0, reads = 0;
    for (int running = 2; running > 0;) {
        if (file.read(text, reason) == cKeptFile::present && text != a && text != b) torn++;
        reads++;
        for (pid_t& pid : writers) {
            int status = 0;
            if (pid != 0 && ::waitpid(pid, &status, WNOHANG) == pid) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
                pid = 0;
                running--;
            }
        }
    }
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    ASSERT_EQ(file.read(text, reason), cKeptFile::present);
    EXPECT_TRUE(text == a || text == b);
    EXPECT_EQ(entries(scratch.path), std::vector<std::string>{"scores.toml"});
}
