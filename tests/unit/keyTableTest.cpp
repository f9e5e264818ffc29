// The key table: one row a key that the handlers find, and README.md's and the man page's key tables saying the same.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "levelTestMaps.h"
#include "shell/keyTable.h"

namespace {

// Lower case, roff's escapes for '-' and '`' as the characters, font changes and quotes
// gone, every run of blanks one space: the documents format, the table does not.
std::string plain(std::string s) {
    for (const char* drop : {"\\fB", "\\fI", "\\fR", "\\fP", "\""})
        for (size_t at; (at = s.find(drop)) != std::string::npos;) s.erase(at, std::string(drop).size());
    for (size_t at; (at = s.find('\\')) != std::string::npos;) s.erase(at, 1);
    std::string out;
    for (char c : s) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

using tDocKeys = std::vector<std::pair<std::string, std::string>>;  // key name, action

// The "| key | action |" table of README.md's Controls section.
tDocKeys readmeKeys(const std::vector<std::string>& doc) {
    tDocKeys keys;
    bool inControls = false, inTable = false;
    for (const std::string& line : doc) {
        if (line.rfind("## ", 0) == 0) inControls = line == "## Controls";
        if (!inControls) continue;
        if (line == "| key | action |") inTable = true;
        else if (inTable && line.rfind("|", 0) != 0) break;
        else if (inTable && line.rfind("|---", 0) != 0) {
            const size_t mid = line.find(" | ");
            keys.push_back({plain(line.substr(1, mid)), plain(line.substr(mid + 3, line.size() - mid - 4))});
        }
    }
    return keys;
}

// The tagged paragraphs of the man page's KEYS section: the tag line names the key.
tDocKeys manKeys(const std::vector<std::string>& doc) {
    tDocKeys keys;
    bool inKeys = false, tagNext = false;
    for (const std::string& line : doc) {
        if (line.rfind(".SH", 0) == 0) inKeys = line == ".SH KEYS";
        if (!inKeys) continue;
        const bool request = line.rfind(".", 0) == 0;
        // A request line's text is what follows the request's name.
        const std::string text = request && line.find(' ') != std::string::npos ? line.substr(line.find(' ') + 1)
                                 : request                                      ? ""
                                                                                : line;
        if (line == ".TP") {
            tagNext = true;
        } else if (tagNext) {
            keys.push_back({plain(text), ""});
            tagNext = false;
        } else if (line == ".PP") {
            keys.push_back({"", ""});  // an untagged paragraph belongs to no key
        } else if (!keys.empty()) {
            keys.back().second = plain(keys.back().second + " " + text);
        }
    }
    std::erase_if(keys, [](const auto& k) { return k.first.empty(); });
    return keys;
}

}  // namespace

TEST(KeyTable, EachKeyHasOneRowThatItsHandlerFindsAndHeldKeysAreCharacters) {
    std::set<std::string> names;
    for (const sKeyRow& row : keyTable::rows()) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name << " has two rows";
        // Only the first row of a key is ever found, and a handler gets letters folded to lower case.
        EXPECT_EQ(keyTable::find(row.owner, row.code, row.function), &row) << row.name;
        if (row.function) {
            std::string name = "F";
            name += std::to_string(row.code);  // appended: GCC 12 warns falsely on "F" + string
            EXPECT_EQ(std::string(row.name), name);
            EXPECT_TRUE(keyTable::isFunction(row.code, row.action) && !keyTable::is(row.code, row.action)) << row.name;
        } else {
            EXPECT_FALSE(std::isupper(row.code)) << row.name;
            EXPECT_TRUE(keyTable::is(row.code, row.action) && !keyTable::isFunction(row.code, row.action)) << row.name;
        }
    }
    // The level asks whether these are held: each needs a character row of the level's.
    for (eKeyAction held : {eKeyAction::tilt, eKeyAction::turn, eKeyAction::zoom, eKeyAction::pan}) {
        const sKeyRow* row = keyTable::find(eKeyOwner::level, keyTable::code(held));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->action, held);
    }
    // A key that is no row's does nothing anywhere, and a function key is no character.
    EXPECT_EQ(keyTable::find(eKeyOwner::level, 'z'), nullptr);
    EXPECT_EQ(keyTable::find(eKeyOwner::platform, 12), nullptr);
    EXPECT_FALSE(keyTable::is(27, eKeyAction::nextLevel));
}

TEST(KeyTable, ReadmeAndManPageListTheTableKeysEachWithItsAction) {
    const std::map<std::string, tDocKeys> docs{
        {"README.md", readmeKeys(lines(ORBIX_SOURCE_DIR "/README.md"))},
        {"orbix-tal.6", manKeys(lines(ORBIX_SOURCE_DIR "/dist/man/orbix-tal.6"))},
    };
    std::map<std::string, std::string> table;
    for (const sKeyRow& row : keyTable::rows()) table[plain(row.name)] = plain(row.does);
    for (const auto& [doc, keys] : docs) {
        std::set<std::string> seen;
        for (const auto& [key, action] : keys) {
            EXPECT_TRUE(seen.insert(key).second) << doc << " lists " << key << " twice";
            const auto row = table.find(key);
            if (row == table.end()) {
                ADD_FAILURE() << doc << " lists the key \"" << key << "\", which the key table has not";
                continue;
            }
            EXPECT_NE(action.find(row->second), std::string::npos)
                << doc << ": " << key << " says \"" << action << "\"; the key table says \"" << row->second << "\"";
        }
        for (const auto& [key, action] : table)
            EXPECT_TRUE(seen.count(key)) << doc << " does not list the key " << key << " (" << action << ")";
    }
}

using KeyTableLevelTest = LevelTest;

// Model level 0 is ball.ASE, the finest, and 3 is ball_L8, the coarsest.
TEST_F(KeyTableLevelTest, VMakesTheBallModelsFinerAndBCoarser) {
    build({{4, 4, kSquadMark}, {20, 20, kEnemyMark}}, 32, 32);
    const auto lods = [&] {
        return std::pair(level.getSquad()->getLod(), level.getEnemies()->getLod());
    };
    ASSERT_EQ(lods(), std::pair(0, 0));
    level.onKeyboardUp('b');
    level.onKeyboardUp('b');
    EXPECT_EQ(lods(), std::pair(2, 2));
    level.onKeyboardUp('v');
    EXPECT_EQ(lods(), std::pair(1, 1));
}
