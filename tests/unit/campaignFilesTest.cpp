// Kept files: where they live, reading under a limit, replacing a file so none is ever torn; the campaign's
// files' round trips, damaged files set aside, a wrong key or entry costing only itself.
#include "campaign/cCampaignStore.h"
#include "campaign/cProgress.h"
#include "campaign/cScores.h"
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
struct cEnvVar {
    cEnvVar(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) before = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~cEnvVar() { before ? ::setenv(name, before->c_str(), 1) : ::unsetenv(name); }
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

// Loads a kept file of type T from folder, expecting no complaint, and returns it.
template <class T>
T loadedClean(const std::string& folder) {
    T loaded;
    const sKeptLoad load = loaded.load(folder);
    EXPECT_TRUE(load.setAside.empty() && load.warnings.empty() && !load.fresh)
        << load.setAside << (load.warnings.empty() ? "" : load.warnings.front());
    return loaded;
}

// Saves a kept file into folder and answers what a fresh load reads back.
template <class T>
T roundTrip(const T& kept, const std::string& folder) {
    std::string reason;
    EXPECT_TRUE(kept.save(folder, reason)) << reason;
    return loadedClean<T>(folder);
}

// The entries a file's text gives, with the warnings it draws.
template <class T>
T fromText(const std::string& text, std::vector<std::string>& warnings) {
    T read;
    std::string why;
    warnings.clear();
    EXPECT_TRUE(read.fromText(text, warnings, why)) << why;
    return read;
}

// Every kind of damage, for a file of type T whose valid text is good.
template <class T>
void expectDamageSetAside(const T& good) {
    const std::string text = good.toText();
    const char binary[] = "\x7f" "ELF\0\x02\x01\x01\0\0\0\xff\xfe";
    const std::string damaged[] = {
        "this is not TOML at all\n",
        text.substr(0, text.find_last_of("\"'")),  // truncated inside a string
        "",
        text + "# " + std::string(cKeptFile::kMaxBytes, 'x') + "\n",
        std::string(binary, sizeof binary - 1),
        "format = 2\n",
        "format = \"1\"\n",
    };
    for (const std::string& bytes : damaged) {
        const ScratchDir scratch;
        writeFile(scratch.file(T::kFileName), bytes);
        T loaded = good;
        const sKeptLoad load = loaded.load(scratch.path.string());
        const std::string bad = scratch.file(std::string(T::kFileName) + ".bad");
        SCOPED_TRACE(bytes.substr(0, 40));
        EXPECT_TRUE(loaded == T{} && load.fresh && load.warnings.empty());
        EXPECT_NE(load.setAside.find("set aside as " + bad), std::string::npos) << load.setAside;
        EXPECT_EQ(fileBytes(bad), bytes);
        EXPECT_FALSE(fs::exists(scratch.file(T::kFileName)));
        // The game plays on from defaults and writes a good file beside the bad one.
        EXPECT_EQ(roundTrip(loaded, scratch.path.string()), T{});
    }
}

}  // namespace

TEST(CampaignFiles, SettingsRoundTripAndFirstStart) {
    const ScratchDir scratch;
    const std::string folder = scratch.path.string();
    cSettings settings;
    const sKeptLoad first = settings.load(folder);
    EXPECT_TRUE(first.fresh && first.setAside.empty() && first.warnings.empty() && settings == cSettings{});
    EXPECT_EQ(roundTrip(settings, folder), cSettings{});
    settings = {eDifficulty::veteran, 0, true, true, true, false, true, cSettings::eCamera::classic, true};
    EXPECT_EQ(roundTrip(settings, folder), settings);
    settings = {.difficulty = eDifficulty::recruit, .volume = 100};
    EXPECT_EQ(roundTrip(settings, folder), settings);
    EXPECT_NE(fileBytes(scratch.file("settings.toml")).find("format = 1\n"), std::string::npos);
}

TEST(CampaignFiles, AWrongSettingOrATypoResetsThatKeyAlone) {
    std::vector<std::string> warnings;
    cSettings settings = fromText<cSettings>(
        "format = 1\ndifficulty = \"hard\"\nvolume = 150\nmute = \"yes\"\n"
        "fullscreen = true\ncamera = 3\nminimap = true\nvolum = 50\nfps_counter = 1\n",
        warnings);
    EXPECT_EQ(settings, (cSettings{.fullscreen = true, .minimap = true}));
    EXPECT_EQ(warnings, (std::vector<std::string>{
        "settings.toml: unknown key 'volum' ignored",
        "settings.toml: camera = 3 is not \"follow\" or \"classic\"; using \"follow\"",
        "settings.toml: difficulty = 'hard' is not \"recruit\", \"regular\" or \"veteran\"; using \"regular\"",
        "settings.toml: fps_counter = 1 is not true or false; using true",
        "settings.toml: mute = 'yes' is not true or false; using false",
        "settings.toml: volume = 150 is not a whole number from 0 to 100; using 80",
    }));

    // A key the file lacks is its default, without a warning.
    EXPECT_EQ(fromText<cSettings>("format = 1\nvolume = 7\n", warnings), cSettings{.volume = 7});
    EXPECT_TRUE(warnings.empty());
}

TEST(CampaignFiles, DamagedFilesAreSetAsideForTheDefaults) {
    expectDamageSetAside(cSettings{.volume = 12});
    cProgress progress;
    progress.markWon(eDifficulty::regular, "01-first-steps.bmp");
    expectDamageSetAside(progress);
    cScores scores;
    scores.recordWin(eDifficulty::veteran, "01-first-steps.bmp", 42, 60000, 1, "2026-12-08");
    expectDamageSetAside(scores);
}

TEST(CampaignFiles, ProgressKeepsLevelsByMapNamePerDifficulty) {
    cProgress progress;
    progress.markReached(eDifficulty::regular, "01-first-steps.bmp");
    progress.markWon(eDifficulty::regular, "01-first-steps.bmp");
    progress.markReached(eDifficulty::regular, "02 \"quoted\" café.bmp");
    progress.markWon(eDifficulty::recruit, "03.bmp");
    progress.setLast(eDifficulty::regular, "02 \"quoted\" café.bmp");
    // Names no file could hold, or that point elsewhere, are ignored.
    for (const char* bad : {"", "../x.bmp", "a/b.bmp", "\xff.bmp", "tab\t.bmp", "\xc0\xaf.bmp", "\xe2\x82"}) {
        progress.markWon(eDifficulty::veteran, bad);
        progress.setLast(eDifficulty::veteran, bad);
    }
    EXPECT_TRUE(progress.getReached(eDifficulty::veteran).empty() && progress.getLast(eDifficulty::veteran).empty());
    EXPECT_EQ(progress.getReached(eDifficulty::regular),
              (std::vector<std::string>{"01-first-steps.bmp", "02 \"quoted\" café.bmp"}));
    EXPECT_EQ(std::tuple(progress.isWon(eDifficulty::regular, "01-first-steps.bmp"),
                         progress.isWon(eDifficulty::regular, "02 \"quoted\" café.bmp"),
                         progress.isReached(eDifficulty::recruit, "03.bmp")),
              std::tuple(true, false, true));

    const ScratchDir scratch;
    EXPECT_EQ(roundTrip(progress, scratch.path.string()), progress);

    // Wrong entries drop with a warning each; a won level counts as reached whatever the file says.
    std::vector<std::string> warnings;
    const cProgress edited =
        fromText<cProgress>("format = 1\nexpert = 3\n"
                            "[regular]\nreached = [\"a.bmp\", 7, \"x/y.bmp\"]\nwon = [\"b.bmp\"]\nlast = false\n"
                            "[veteran]\nreached = \"a.bmp\"\nwins = []\n",
                            warnings);
    EXPECT_EQ(std::pair(edited.getReached(eDifficulty::regular), edited.getWon(eDifficulty::regular)),
              std::pair(std::vector<std::string>{"a.bmp", "b.bmp"}, std::vector<std::string>{"b.bmp"}));
    EXPECT_TRUE(edited.getLast(eDifficulty::regular).empty() && edited.getReached(eDifficulty::veteran).empty());
    EXPECT_EQ(warnings.size(), 6u);
}

TEST(CampaignFiles, ScoresAreKeptPerMapHashWithTheirDates) {
    cScores scores;
    const std::string map = "01-first-steps.bmp";
    const uint64_t hash = 0xfedcba9876543210ull;
    const auto best = [&](int64_t time, int lost, const char* date) {
        const cScores::sNewBest b = scores.recordWin(eDifficulty::regular, map, hash, time, lost, date);
        return std::pair(b.time, b.lost);
    };
    EXPECT_EQ(best(90000, 2, "2026-12-01"), std::pair(true, true));
    EXPECT_EQ(best(95000, 3, "2026-12-02"), std::pair(false, false));
    EXPECT_EQ(best(90000, 2, "2026-12-03"), std::pair(false, false));  // a tie keeps the older day
    EXPECT_EQ(best(80000, 4, "2026-12-04"), std::pair(true, false));
    EXPECT_EQ(best(99000, 0, "2026-12-05"), std::pair(false, true));
    EXPECT_EQ(best(-1, 0, "2026-12-06"), std::pair(false, false));
    EXPECT_EQ(best(1, 0, "12/06/2026"), std::pair(false, false));
    ASSERT_NE(scores.find(eDifficulty::regular, map, hash), nullptr);
    EXPECT_EQ(*scores.find(eDifficulty::regular, map, hash), (cScores::sRecord{80000, "2026-12-04", 0, "2026-12-05"}));
    // Another map under the same name, or another difficulty, starts without a score.
    EXPECT_TRUE(scores.find(eDifficulty::regular, map, hash ^ 1) == nullptr &&
                scores.find(eDifficulty::veteran, map, hash) == nullptr);
    EXPECT_EQ(scores.recordWin(eDifficulty::regular, map, 0, 120000, 5, "2026-12-07").time, true);

    const ScratchDir scratch;
    EXPECT_EQ(roundTrip(scores, scratch.path.string()), scores);
    EXPECT_NE(fileBytes(scratch.file("scores.toml")).find("fedcba9876543210"), std::string::npos);
    EXPECT_NE(fileBytes(scratch.file("scores.toml")).find("0000000000000000"), std::string::npos);

    // A broken record is dropped with a warning; the good one beside it stays.
    std::vector<std::string> warnings;
    const cScores edited = fromText<cScores>("format = 1\n"
                                             "[regular.\"a.bmp\".00000000000000ff]\n"
                                             "best_time_ms = 5\nbest_time_date = \"2026-01-02\"\n"
                                             "fewest_lost = 1\nfewest_lost_date = \"2026-01-02\"\n"
                                             "[regular.\"a.bmp\".00000000000000fe]\n"
                                             "best_time_ms = -5\nbest_time_date = \"2026-01-02\"\n"
                                             "fewest_lost = 1\nfewest_lost_date = \"2026-01-02\"\n"
                                             "[regular.\"a.bmp\".XYZ]\n"
                                             "[veteran]\n\"b.bmp\" = 3\n",
                                             warnings);
    ASSERT_NE(edited.find(eDifficulty::regular, "a.bmp", 0xff), nullptr);
    EXPECT_EQ(std::tuple(edited.find(eDifficulty::regular, "a.bmp", 0xff)->bestTimeMs,
                         edited.find(eDifficulty::regular, "a.bmp", 0xfe) == nullptr, warnings.size()),
              std::tuple(int64_t(5), true, size_t(3)));
}

TEST(CampaignFiles, StoreWritesEveryFileAtFirstStartAndSaysOnceThatItCannotSave) {
    const ScratchDir scratch;
    const std::string config = scratch.file("config/orbix-tal"), data = scratch.file("data/orbix-tal");
    writeFile(data + "/scores.toml", "garbage");
    writeFile(data + "/progress.toml", "format = 1\nexpert = 3\n");
    cCampaignStore store(config, data);
    store.load();
    const std::vector<std::string> said = store.takeMessages();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_NE(said[0].find("progress.toml: unknown key 'expert'"), std::string::npos) << said[0];
    EXPECT_NE(said[1].find("scores.toml.bad"), std::string::npos) << said[1];
    EXPECT_TRUE(store.takeMessages().empty());
    EXPECT_EQ(entries(data), (std::vector<std::string>{"progress.toml", "scores.toml", "scores.toml.bad"}));
    EXPECT_EQ(loadedClean<cSettings>(config), cSettings{});

    store.getProgress().markWon(eDifficulty::recruit, "01.bmp");
    EXPECT_TRUE(store.saveProgress());
    EXPECT_TRUE(loadedClean<cProgress>(data).isWon(eDifficulty::recruit, "01.bmp"));

    // No home folder at all: the game plays on, and hears about it once.
    cCampaignStore homeless("", "");
    homeless.load();
    EXPECT_EQ(homeless.getSettings(), cSettings{});
    EXPECT_FALSE(homeless.saveScores());
    const std::vector<std::string> once = homeless.takeMessages();
    ASSERT_EQ(once.size(), 1u);
    EXPECT_NE(once[0].find("cannot save"), std::string::npos);
    EXPECT_FALSE(homeless.saveSettings());
    EXPECT_TRUE(homeless.takeMessages().empty());
}

TEST(KeptFile, FoldersFollowTheXdgRulesAndIgnoreRelativeValues) {
    EXPECT_EQ(keptFolderFrom("/x/conf", "/home/p", ".config"), "/x/conf/orbix-tal");
    EXPECT_EQ(keptFolderFrom("conf", "/home/p", ".config"), "/home/p/.config/orbix-tal");
    EXPECT_EQ(keptFolderFrom("", "/home/p", ".local/share"), "/home/p/.local/share/orbix-tal");
    EXPECT_EQ(keptFolderFrom(nullptr, "/home/p", ".config"), "/home/p/.config/orbix-tal");
    EXPECT_EQ(keptFolderFrom(nullptr, "home/p", ".config"), "");
    EXPECT_EQ(keptFolderFrom("", nullptr, ".config"), "");

    const cEnvVar home("HOME", "/home/p"), config("XDG_CONFIG_HOME", "/elsewhere"), data("XDG_DATA_HOME", "./data");
    EXPECT_EQ(std::pair(keptConfigFolder(), keptDataFolder()),
              std::pair(std::string("/elsewhere/orbix-tal"), std::string("/home/p/.local/share/orbix-tal")));
}

TEST(KeptFile, WritesWholeIntoNewPrivateFoldersAndReadsUnderItsLimit) {
    const ScratchDir scratch;
    const std::string folder = (scratch.path / "a/b/orbix-tal").string();
    const cKeptFile file(folder, "x.toml");
    std::string text, reason;
    EXPECT_EQ(file.read(text, reason), cKeptFile::missing);
    ASSERT_TRUE(file.write("one", reason) && file.write("two", reason)) << reason;
    EXPECT_TRUE(file.read(text, reason) == cKeptFile::present && text == "two") << text;
    EXPECT_EQ(entries(folder), std::vector<std::string>{"x.toml"});
    for (const fs::path& made : {fs::path(folder), scratch.path / "a"})
        EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all) << made;

    writeFile(file.getPath(), std::string(cKeptFile::kMaxBytes, '#'));
    EXPECT_TRUE(file.read(text, reason) == cKeptFile::present && text.size() == cKeptFile::kMaxBytes) << reason;
    writeFile(file.getPath(), std::string(cKeptFile::kMaxBytes + 1, '#'));
    EXPECT_EQ(file.read(text, reason), cKeptFile::unreadable);
    EXPECT_EQ(std::pair(reason, text), std::pair(std::string("is larger than 1 MiB"), std::string()));

    // A folder or a pipe in the file's place is refused, and the pipe must not stall the read.
    const cKeptFile inFolder(folder, "sub");
    fs::create_directory(folder + "/sub");
    EXPECT_EQ(inFolder.read(text, reason), cKeptFile::unreadable);
    const cKeptFile pipe(folder, "pipe");
    ASSERT_EQ(::mkfifo(pipe.getPath().c_str(), 0600), 0);
    EXPECT_TRUE(pipe.read(text, reason) == cKeptFile::unreadable && reason == "is not a plain file") << reason;

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
    EXPECT_EQ(file.setAside("is damaged (line 1: nonsense)"),
              file.getPath() + " is damaged (line 1: nonsense); it was set aside as " + file.getPath() +
                  ".bad and the game starts from defaults");
    EXPECT_EQ(std::pair(fileBytes(scratch.file("s.toml.bad")), entries(scratch.path)),
              std::pair(std::string("newer"), std::vector<std::string>{"s.toml.bad"}));
    EXPECT_NE(file.setAside("is gone").find("could not be set aside"), std::string::npos);
}

TEST(KeptFile, UnwritableFolderFailsWithAReasonAndLeavesNothing) {
    const ScratchDir scratch;
    // A file where a folder should be stops root too, unlike permission bits.
    writeFile(scratch.file("home/.local"), "not a folder");
    cSettings settings;
    std::string reason;
    EXPECT_TRUE(!settings.save(scratch.file("home/.local/share/orbix-tal"), reason) &&
                reason.find("cannot make the folder") != std::string::npos) << reason;

    const std::string folder = scratch.file("ro");
    ASSERT_TRUE(settings.save(folder, reason)) << reason;
    // Nor can the temporary file be made where a folder has its name; permission bits would not stop root.
    const std::string temp = folder + "/settings.toml.tmp." + std::to_string(::getpid());
    fs::create_directory(temp);
    settings.volume = 5;
    EXPECT_TRUE(!settings.save(folder, reason) && reason.find("cannot create " + temp) != std::string::npos) << reason;
    fs::remove(temp);
    EXPECT_EQ(entries(folder), std::vector<std::string>{"settings.toml"});
    EXPECT_EQ(loadedClean<cSettings>(folder).volume, 80);
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

    EXPECT_EQ(loadedClean<cSettings>(folder), old);
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
    EXPECT_TRUE(file.read(text, reason) == cKeptFile::present && (text == a || text == b));
    EXPECT_EQ(entries(scratch.path), std::vector<std::string>{"scores.toml"});
}
