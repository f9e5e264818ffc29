// The game's version, as --version, the console's about and recordings give it.
#pragma once

inline constexpr const char* kGameVersion = "0.0.2.0";
