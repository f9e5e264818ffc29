// The three difficulty steps (the level plays them; the campaign keeps the choice) and their words in the kept files.
#pragma once

#include <array>
#include <optional>
#include <string_view>

enum class eDifficulty { recruit, regular, veteran };

inline constexpr std::array<eDifficulty, 3> kDifficulties = {eDifficulty::recruit, eDifficulty::regular,
                                                             eDifficulty::veteran};

// "recruit", "regular" or "veteran".
std::string_view difficultyName(eDifficulty d);
// The step a word names; none for any other word.
std::optional<eDifficulty> difficultyFromName(std::string_view name);
// The share of a hit's full damage that a soldier takes at this step: 1 at veteran.
float squadDamageScale(eDifficulty d);
