// orbix-tool: loads content files with the game's own classes and tells what it found.
#include "toolCommands.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: orbix-tool bmp FILE            size of a BMP picture as WIDTHxHEIGHT\n"
                 "       orbix-tool ase FILE [OBJECT]   summary of one model object (by name, or the first)\n"
                 "       orbix-tool map FILE            what a level map holds; refused when it breaks a level rule\n"
                 "       orbix-tool sheet OUTDIR        draws every model into PNG pages (needs a display)\n"
                 "       orbix-tool botplay MAP [--seed N] [--god 0|1] [--max-ms N] [--style planner|player]\n"
                 "                          [--record FILE]\n"
                 "                                      plays a map headless with a bot; last line: result\n"
                 "       orbix-tool replay FILE         replays a recording headless and checks its checkpoints\n"
                 "exit status: 0 loaded, 1 refused (the reason on standard error), 2 wrong command line\n");
    return toolExit::badCommandLine;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    std::string command = argv[1];
    if (command == "bmp" && argc == 3)
        return checkBitmap(argv[2]);
    if (command == "map" && argc == 3)
        return checkMap(argv[2]);
    if (command == "ase" && (argc == 3 || argc == 4))
        return checkModel(argv[2], argc == 4 ? argv[3] : nullptr);
    if (command == "botplay")
        return playBot(argc, argv);
    if (command == "replay")
        return replayRecording(argc, argv);
    if (command == "sheet" && argc == 3)
        return drawModelSheet(argv[2], argc, argv);
    return usage();
}
