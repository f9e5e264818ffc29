// The game's own command line: its options, and freeglut's X options passed through to glutInit.
#pragma once

#include <string>
#include <vector>

class cCommandLine {
public:
    // What main does after parsing.
    enum eAction { run, showHelp, showVersion, wrong };

    // Paths are made absolute here, so they keep meaning what the player typed
    // after the game changes into its content folder.
    eAction parse(int argc, char** argv);

    // The text of --help: every option, one line each.
    static const char* helpText();

    // Why the line was refused (one line, no line end); set when parse answers wrong.
    const std::string& getError() const { return error; }
    // 1 unless --level was given.
    int getStartLevel() const { return startLevel; }
    // Absolute paths, empty when the option was not given.
    const std::string& getRecordFile() const { return recordFile; }
    const std::string& getPlayFile() const { return playFile; }
    const std::string& getTimedemoFile() const { return timedemoFile; }
    // --view wide: the timedemo watches from as far out as the camera goes.
    bool isWideView() const { return wideView; }
    // argv[0] and the X options for glutInit, in their order; pointers into argv.
    std::vector<char*>& getGlutArgs() { return glutArgs; }
    // --campaign: the player's game, with a menu that waits, settings, progress and scores.
    bool isCampaign() const { return campaign; }
    // The folder the game was started from, absolute.
    const std::string& getStartFolder() const { return startFolder; }

private:
    bool takePath(const char* option, const char* value, std::string& into);

    std::string error;
    int startLevel = 1;
    bool campaign = false;
    bool wideView = false;
    std::string recordFile, playFile, timedemoFile;
    std::vector<char*> glutArgs;
    std::string startFolder;
};
