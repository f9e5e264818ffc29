// The key table: one row a key that the handlers find, and README.md's and the man page's key tables saying the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "levelTestMaps.h"
#include "shell/keyTable.h"

namespace {

using tDocKeys = std::vector<std::pair<std::string, std::string>>;  // key name, action

// Lower case, roff's escapes and line breaks gone: the documents format, the table does not.
std::string plain(std::string s) {
    std::erase(s, '\\');
    std::ranges::replace(s, '\n', ' ');
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A document's text after its first `from`, up to the next `to`.
std::string between(const std::string& file, const std::string& from, const std::string& to) {
    const std::string text = assetsTest::fileBytes(ORBIX_SOURCE_DIR "/" + file);
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << file << " has no " << from;
    return at == std::string::npos ? ""
                                   : text.substr(at + from.size(), text.find(to, at + from.size()) - at - from.size());
}

// README.md's "| key | action |" table, and the man page's KEYS paragraphs tagged with a key's name in bold.
std::map<std::string, tDocKeys> documentedKeys() {
    std::map<std::string, tDocKeys> docs;
    const std::string table = between("README.md", "| key | action |\n|---|---|\n", "\n\n");
    const std::regex row(R"(\| (.+?) \| (.+) \|)");
    for (std::sregex_iterator m(table.begin(), table.end(), row), end; m != end; ++m)
        docs["README.md"].push_back({plain((*m)[1]), plain((*m)[2])});
    const std::string keys = between("dist/man/orbix-tal.6", "\n.SH KEYS\n", "\n.SH ");
    for (size_t at = 0; (at = keys.find(".TP\n", at)) != std::string::npos;) {
        EXPECT_EQ(keys.substr(at + 4, 3), ".B ") << "each key's tag is its name in bold";
        const size_t name = at + 7, text = keys.find('\n', name) + 1;
        // An untagged paragraph (.PP) ends the key's text as the next tag does.
        at = std::min(keys.find("\n.TP\n", text), keys.find("\n.PP\n", text));
        docs["orbix-tal.6"].push_back({plain(keys.substr(name, text - 1 - name)), plain(keys.substr(text, at - text))});
    }
    return docs;
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
    EXPECT_TRUE(keyTable::find(eKeyOwner::level, 'z') == nullptr && keyTable::find(eKeyOwner::platform, 12) == nullptr);
    EXPECT_FALSE(keyTable::is(27, eKeyAction::nextLevel));
}

TEST(KeyTable, ReadmeAndManPageListTheTableKeysEachWithItsAction) {
    const std::map<std::string, tDocKeys> docs = documentedKeys();
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
