// The subcommands of orbix-tool; each answers the process exit status.
#pragma once

namespace toolExit {
constexpr int loaded = 0;
constexpr int refused = 1;
constexpr int badCommandLine = 2;
}

// Loads a BMP and prints WIDTHxHEIGHT.
int checkBitmap(const char* path);
// Loads a level map, prints what it holds and each level rule it breaks (refused when any).
int checkMap(const char* path);
// Loads one ASE object (by name, or the first when name is null) and prints its summary.
int checkModel(const char* path, const char* name);
// Opens a window, draws every model of the game's content at several frames and writes PNG pages.
int drawModelSheet(const char* outDir, int argc, char** argv);
// Plays one map headless with the bot: botplay MAP [--seed N] [--god 0|1] [--max-ms N] [--record FILE].
int playBot(int argc, char** argv);
// Replays a recording headless and checks it: replay FILE.
int replayRecording(int argc, char** argv);
