// The frame every kept TOML file shares: its format key, key checks, and the names it may hold.
#pragma once

#include <toml++/toml.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Raised only when a file's layout changes in a way an older game cannot read.
inline constexpr int64_t kKeptFormat = 1;

// The text as TOML whose format key is kKeptFormat; none, with why (a line number and the
// parser's words, or what is wrong with the format key), otherwise.
std::optional<toml::table> parseKept(std::string_view text, std::string& why);

// A value as the player wrote it, cut short: warnings must fit on the game's screen.
std::string shownValue(const toml::node& node);

// One warning per key of table not among known ("file: unknown key "where.key" ignored").
void warnUnknownKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                     const std::string& where, std::vector<std::string>& warnings);

// A map's file name as the files key it: not empty, no folder part, valid UTF-8 without control
// characters (anything else would make the written file unreadable, losing everything in it).
bool isKeptMapName(std::string_view name);
