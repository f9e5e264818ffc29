// Naming the difficulty steps in the kept files, and what each softens.
#include "level/difficulty.h"

std::string_view difficultyName(eDifficulty d) {
    switch (d) {
        case eDifficulty::recruit: return "recruit";
        case eDifficulty::veteran: return "veteran";
        case eDifficulty::regular: break;
    }
    return "regular";
}

std::optional<eDifficulty> difficultyFromName(std::string_view name) {
    for (eDifficulty d : kDifficulties)
        if (difficultyName(d) == name) return d;
    return std::nullopt;
}

float squadDamageScale(eDifficulty d) {
    switch (d) {
        case eDifficulty::recruit: return 0.5f;
        case eDifficulty::regular: return 0.75f;
        case eDifficulty::veteran: break;
    }
    return 1.0f;
}
