// The console's command set: the controller runs each entered line and answers in the console.
#include "shell/cGame.h"

#include "level/cLevel.h"
#include "ui/cConsole.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

namespace {

const char* const commands[] = {
    "\n about",
    "\n controls",
    "\n clear",
    "\n close",
    "\n fps [0|1]",
    "\n god [0|1]",
    "\n shadeModel [FLAT|SMOOTH]",
    "\n showWater [0|1]",
    "_",
};

const char* const controls[] = {
    "\n mouse:\n",
    "       LMB     = move soldier\n",
    "       RMB     = shoot\n",
    "       RMB+LMB = shoot rocket/throw grenade\n",
    "       MMB     = return to menu, and prepare next level\n",
    " \n",
    " keyboard:\n",
    "       [F1/F2] = console transparency\n",
    "       [F3]    = toggle fps transparent/opaque\n",
    "       [F4]    = mouse lock toggle (experimental!!)\n",
    "       [F5]    = full power mode toggle\n",
    "       [~]     = console toggle\n",
    "\n",
    " special in level:\n",
    "       [a]/[s] = add/remove soldier\n",
    "       [q]/[w] = add/remove enemy soldier\n",
    "       [t]     = toggle between grenades and rockets\n",
    "       [k]     = hurt all enemies\n",
    "\t\t [p]     = pause game\n",
    "       [ESC]   = quit to menu\n",
    "\n",
    " TAL new:\n",
    "       [v]/[b] = inc/dec LOD (lower means better model)\n",
    "       [l]     = toggle lifemeters\n",
    "       [m]     = toggle FOV\n",
    "       [n]     = toggle minimap\n",
    "\n",
    " camera setup:\n",
    "       [1]+mouse = rotate X\n",
    "       [2]+mouse = rotate Z\n",
    "       [3]+mouse = zoom\n",
    "       [SPACE]+mouse = move camera\n",
    "_",
};

int entriesBeforeEnd(const char* const* table) {
    int n = 0;
    while (table[n][0] != '_') ++n;
    return n;
}

int lineBreaks(const char* const* table, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i)
        for (const char* c = table[i]; *c != '\0'; ++c) n += *c == '\n';
    return n;
}

// A one-parameter command's value: the index of the parameter among the two
// allowed texts, or -1 when the count or the text is wrong.
int choice(int count, const char* param, const char* off, const char* on) {
    if (count != 1) return -1;
    if (std::strcmp(param, off) == 0) return 0;
    if (std::strcmp(param, on) == 0) return 1;
    return -1;
}

} // namespace

int cGame::commandsCount() {
    return entriesBeforeEnd(commands);
}

int cGame::controlsCount() {
    return entriesBeforeEnd(controls);
}

void cGame::consoleCmd() {
    if (!console) return;
    char cmd[20];
    char params[4][10] = {};
    console->getCmd(cmd, sizeof cmd);
    int count = console->getParamCount();
    for (int i = 0; i < count && i < 4; ++i) console->getParam(params[i], sizeof params[i], i + 1);

    char reply[128];
    auto echo = [&] {
        std::snprintf(reply, sizeof reply, "\n>%s %s", cmd, params[0]);
        console->write(reply);
    };

    if (cmd[0] == '\0') {
        console->write("\nCommands:");
        for (int i = 0; i < commandsCount(); ++i) console->write(commands[i]);
    } else if (std::strcmp(cmd, "about") == 0) {
        console->write("\n>about");
        console->write("\nOrbix-TAL   build = 0.0.2.0");
    } else if (std::strcmp(cmd, "controls") == 0) {
        // The title and every line after it, down to the empty one the list ends on, show together.
        console->fitLines(1 + lineBreaks(controls, controlsCount()));
        console->write("\nControls:");
        for (int i = 0; i < controlsCount(); ++i) console->write(controls[i]);
    } else if (std::strcmp(cmd, "clear") == 0) {
        console->clear();
    } else if (std::strcmp(cmd, "close") == 0) {
        console->write("\n>close");
        console->hide();
    } else if (std::strcmp(cmd, "fps") == 0) {
        int v = choice(count, params[0], "0", "1");
        if (v < 0) {
            console->write("\n syntax: fps [0|1]");
            return;
        }
        if (v) fps.show();
        else fps.hide();
        echo();
    } else if (std::strcmp(cmd, "shadeModel") == 0) {
        int v = choice(count, params[0], "FLAT", "SMOOTH");
        if (v < 0) {
            console->write("\n syntax: shadeModel [FLAT|SMOOTH]");
            return;
        }
        glShadeModel(v ? GL_SMOOTH : GL_FLAT);
        echo();
    } else if (std::strcmp(cmd, "showWater") == 0) {
        int v = choice(count, params[0], "0", "1");
        if (v < 0) {
            console->write("\n syntax: showWater [0|1]");
            return;
        }
        if (level) level->showWater(v == 1);
        echo();
    } else if (std::strcmp(cmd, "god") == 0) {
        int v = choice(count, params[0], "0", "1");
        if (v < 0) {
            console->write("\n syntax: god [0|1]");
            return;
        }
        if (level) level->setGodMode(v == 1);
        echo();
    } else {
        int n = std::snprintf(reply, sizeof reply, "\n ! Unknown command \"%s", cmd);
        for (int i = 0; i < count && i < 4; ++i)
            n += std::snprintf(reply + n, sizeof reply - n, " %s", params[i]);
        std::snprintf(reply + n, sizeof reply - n, "\".");
        console->write(reply);
    }
}
