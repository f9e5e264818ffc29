// What the command line asks of a run beyond the plain game: the start level, a recording
// to write, or one to play back or time. Kept out of main so the window code stays thin.
#pragma once

#include "level/replay/cRecorder.h"
#include "level/replay/replayFormat.h"
#include "shell/cCommandLine.h"

#include <vector>

class cGame;

class cSession {
public:
    // Parses the command line and answers --help and --version. -1 to go on, else the exit status.
    int parse(int argc, char** argv);
    // In the content folder, before the window opens: opens the recording to write, or reads
    // and checks the one to play. -1 to go on, else the exit status (the reason printed).
    int prepare();
    // After the controller's init: -1 to go on, else the exit status.
    int attach(cGame& game);
    // The display callback drew a frame (the timedemo counts them); now in ms.
    void frameDrawn(const cGame& game, int now);
    // After the main loop: prints the timedemo's figures; the process's exit status.
    int end(const cGame& game);

    std::vector<char*>& glutArgs() { return line.getGlutArgs(); }
    const cCommandLine& getLine() const { return line; }
    bool isTimedemo() const { return !line.getTimedemoFile().empty(); }

private:
    cCommandLine line;
    cRecorder recorder;
    sReplay recording;
    int frames = 0;                 // timedemo frames drawn
    int firstFrame = -1, lastFrame = -1;  // ms
};
