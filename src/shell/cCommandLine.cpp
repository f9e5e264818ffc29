// The game's command line parser.
#include "shell/cCommandLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// freeglut's X options and how many values follow each.
struct sGlutOption {
    const char* name;
    int values;
};
const sGlutOption glutOptions[] = {
    {"-display", 1}, {"-geometry", 1}, {"-direct", 0}, {"-indirect", 0},
    {"-iconic", 0},  {"-gldebug", 0},  {"-sync", 0},
};

const sGlutOption* findGlutOption(const char* arg) {
    for (const sGlutOption& o : glutOptions)
        if (std::strcmp(arg, o.name) == 0) return &o;
    return nullptr;
}

}  // namespace

const char* cCommandLine::helpText() {
    return "usage: orbix-tal [OPTION]...\n"
           "  --help            print this help and exit\n"
           "  --version         print the game's version and exit\n"
           "  --campaign        the player's game: a menu that waits, difficulty, settings,\n"
           "                    progress and scores kept between runs\n"
           "  --level N         start the campaign at level N (1 is the first)\n"
           "  --record FILE     play as usual and record the session into FILE\n"
           "  --play FILE       show a recorded session at its recorded speed (ESC stops)\n"
           "  --timedemo FILE   replay a recording as fast as possible, one frame per tick,\n"
           "                    print 'N frames, S seconds, F fps' and exit\n"
           "  --view VIEW       with --timedemo: 'wide' watches the squad from as far out as\n"
           "                    the camera goes, 'default' from where a level starts\n"
           "X options passed to GLUT: -display DISPLAY, -geometry WxH+X+Y (no effect: the\n"
           "window's size and place are fixed), -direct, -indirect, -iconic, -gldebug, -sync\n"
           "F12 in the game saves a screenshot into the pictures folder.\n";
}

bool cCommandLine::takePath(const char* option, const char* value, std::string& into) {
    if (value == nullptr || value[0] == '\0') {
        error = std::string(option) + " needs a file name";
        return false;
    }
    if (!into.empty()) {
        error = std::string(option) + " given twice";
        return false;
    }
    std::error_code ec;
    into = std::filesystem::absolute(value, ec).lexically_normal().string();
    if (ec) into = value;
    return true;
}

cCommandLine::eAction cCommandLine::parse(int argc, char** argv) {
    error.clear();
    glutArgs.assign(1, argc > 0 ? argv[0] : const_cast<char*>("orbix-tal"));
    std::error_code ec;
    startFolder = std::filesystem::current_path(ec).string();
    bool levelGiven = false, viewGiven = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(arg, "--help") == 0) return showHelp;
        if (std::strcmp(arg, "--version") == 0) return showVersion;
        if (const sGlutOption* o = findGlutOption(arg)) {
            if (i + o->values >= argc) {
                error = std::string(arg) + " needs a value";
                return wrong;
            }
            for (int k = 0; k <= o->values; ++k) glutArgs.push_back(argv[i + k]);
            i += o->values;
            continue;
        }
        if (std::strcmp(arg, "--campaign") == 0) {
            campaign = true;
            continue;
        }
        bool ok = true;
        if (std::strcmp(arg, "--level") == 0) {
            errno = 0;
            char* end = nullptr;
            const long n = value ? std::strtol(value, &end, 10) : 0;
            if (!value || end == value || *end != '\0' || errno != 0 || n < 1 || n > INT_MAX || levelGiven) {
                error = levelGiven ? "--level given twice" : "--level needs a whole number of at least 1";
                return wrong;
            }
            startLevel = int(n);
            levelGiven = true;
        } else if (std::strcmp(arg, "--record") == 0) {
            ok = takePath(arg, value, recordFile);
        } else if (std::strcmp(arg, "--play") == 0) {
            ok = takePath(arg, value, playFile);
        } else if (std::strcmp(arg, "--timedemo") == 0) {
            ok = takePath(arg, value, timedemoFile);
        } else if (std::strcmp(arg, "--view") == 0) {
            const bool known = value && (std::strcmp(value, "wide") == 0 || std::strcmp(value, "default") == 0);
            if (!known || viewGiven) {
                error = viewGiven ? "--view given twice" : "--view needs 'wide' or 'default'";
                return wrong;
            }
            wideView = std::strcmp(value, "wide") == 0;
            viewGiven = true;
        } else {
            error = std::string("unknown option '") + arg + "' (try --help)";
            return wrong;
        }
        if (!ok) return wrong;
        ++i;
    }
    // A replay follows its file's levels and inputs, so nothing may steer it.
    const int replays = int(!playFile.empty()) + int(!timedemoFile.empty());
    if (replays > 1 || (replays == 1 && (!recordFile.empty() || levelGiven || campaign))) {
        error = "--play and --timedemo go alone, without --record, --level, --campaign or each other";
        return wrong;
    }
    // Only the timedemo's camera is not the player's to steer.
    if (viewGiven && timedemoFile.empty()) {
        error = "--view goes only with --timedemo";
        return wrong;
    }
    return run;
}
