// Program entry and the only contact with GLUT: the window, the input
// callbacks, the frame timer and the orderly ways out.
#include "platform/cFrameTimer.h"
#include "platform/contentFolder.h"
#include "platform/multitexture.h"
#include "platform/screenshot.h"
#include "shell/appGlobals.h"
#include "shell/cGame.h"
#include "shell/cSession.h"
#include "shell/keyTable.h"

#include <GL/freeglut.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// The key table numbers function keys as GLUT reports them.
static_assert(GLUT_KEY_F1 == 1 && GLUT_KEY_F5 == 5 && GLUT_KEY_F12 == 12);

namespace {

// The frame timer's view of GLUT and the controller.
class cGlutHost : public cFrameTimer::iHost {
public:
    void update(int ms) override { game->onUpdate(ms); }
    void redisplay() override;
    void armTimer(int delayMs) override;
};

cGlutHost host;
cFrameTimer frameTimer(host, bFullPowerMode);
cSession session;
bool screenshotWanted = false;  // F12 was pressed; the next frame is saved

int now() { return glutGet(GLUT_ELAPSED_TIME); }

void onTimer(int);

// Campaign mode only: a window nobody can see draws nothing.
bool windowSeen = true;
int lastStillFrame = INT_MIN / 2;  // clock of the last frame drawn while the picture was still

void cGlutHost::redisplay() {
    if (game && game->isCampaign()) {
        if (!windowSeen) return;
        // A still menu or a paused level needs no more than 30 frames a second; a software
        // renderer would otherwise keep both cores busy while nobody plays.
        const int t = now();
        if (game->isStill()) {
            if (t - lastStillFrame < 33) return;
            lastStillFrame = t;
        }
    }
    glutPostRedisplay();
}

void onWindowStatus(int status) {
    windowSeen = status != GLUT_HIDDEN && status != GLUT_FULLY_COVERED;
    if (windowSeen) glutPostRedisplay();
}

void cGlutHost::armTimer(int delayMs) { glutTimerFunc(unsigned(delayMs), onTimer, delayMs); }

// Status of a normal end, settled by finishGame.
int exitStatus = 0;

// Status 1 after a fatal start-up error (a message); otherwise the given one.
[[noreturn]] void exitGame(const char* msg, int status = 0) {
    if (msg) {
        std::fprintf(stderr, "ERR: %s\n", msg);
        std::fputs("Closing game. Bye.\n", stderr);
        status = 1;
    }
    delete game;
    game = nullptr;
    std::exit(status);
}

// The run's end with the controller still there: the session's last word (a
// recording finished, a replay's verdict) and the controller's own status, then
// the controller and the audio device go. Runs once; timers still pending in
// this turn of the loop then find no controller and stop.
void finishGame() {
    if (!game) return;
    const int sessionStatus = session.end(*game);
    exitStatus = sessionStatus != 0 ? sessionStatus : game->getExitStatus();
    delete game;
    game = nullptr;
}

// The window is going (its close button, the main loop left, a replay over):
// the game ends now, while the GL context still exists.
void onClose() {
    finishGame();
#if defined(__SANITIZE_ADDRESS__)
    // Leaks are looked for while the window still exists: at exit the GL driver
    // is unloaded first, and what it held would be reported as the game's.
    __lsan_do_leak_check();
#endif
}

// The controller's way out (the menu's quit, ESC with no level to play).
void onQuit(int) { glutLeaveMainLoop(); }

void onTimer(int) {
    if (game) frameTimer.onTimerFired(now());
}

void onDisplay() {
    if (!game) return;
    if (bFullPowerMode) frameTimer.onFrame(now());
    game->onDisplay();
    session.frameDrawn(*game, now());
    if (screenshotWanted) {
        screenshotWanted = false;
        std::string error;
        const std::string path = saveScreenshot(xWin, yWin, session.getLine().getStartFolder(), error);
        if (path.empty()) std::fprintf(stderr, "Screenshot failed: %s\n", error.c_str());
        else std::printf("%s\n", path.c_str());
        std::fflush(stdout);
    }
    glutSwapBuffers();
    if (game->isReplayOver()) {
        // Closing the window, as the player would, frees the GL context before the end.
        glutDestroyWindow(glutGetWindow());
        glutLeaveMainLoop();
        return;
    }
    if (bFullPowerMode) glutPostRedisplay();
}

void onReshape(int w, int h) {
    game->onReshape(w, h);
    xWin = w;
    yWin = h;
}

// The window's start at (300, 300), or where the whole window (with a title bar
// of up to 40 pixels) is on a screen too small for that: centred.
int startPosition(int screen, int size) {
    constexpr int preferred = 300, titleBar = 40;
    if (screen <= 0 || preferred + size + titleBar <= screen) return preferred;
    return screen > size ? (screen - size) / 2 : 0;
}

bool bFullScreen = false;

void onKeyboard(unsigned char key, int, int) {
    static int xWinPos = 0, yWinPos = 0, xWinLast = 800, yWinLast = 600;
    game->onKeyboard(key);
    if (key >= 'A' && key <= 'Z') key = static_cast<unsigned char>(key + 32);
    if (!keyTable::is(key, eKeyAction::fullScreen) || game->isInMenu()) return;
    if (bFullScreen) {
        glutReshapeWindow(xWinLast, yWinLast);
        glutPositionWindow(xWinPos, yWinPos);
        bFullScreen = false;
    } else {
        xWinPos = glutGet(GLUT_WINDOW_X);
        yWinPos = glutGet(GLUT_WINDOW_Y);
        xWinLast = xWin;
        yWinLast = yWin;
        glutFullScreen();
        bFullScreen = true;
    }
}

void onKeyboardUp(unsigned char key, int, int) { game->onKeyboardUp(key); }

void onSpecialFunc(int key, int, int) {
    if (keyTable::isFunction(key, eKeyAction::screenshot)) {
        screenshotWanted = true;
        glutPostRedisplay();
    }
    game->onSpecialFunc(key);
}

void onSpecialUpFunc(int key, int, int) {
    if (keyTable::isFunction(key, eKeyAction::mouseLock)) bLockMouse = !bLockMouse;
    if (keyTable::isFunction(key, eKeyAction::fullPower)) frameTimer.toggleFullPower();
    game->onSpecialUpFunc(key);
}

void onMouseClick(int button, int state, int x, int y) {
    // freeglut reports each wheel notch (buttons 3 to 6) as a press and a
    // release; passing them on as clicks would repeat the last click.
    if (button >= 3 && button <= 6) {
        if (state == GLUT_DOWN && button <= 4) game->onWheel(button == 3 ? 1 : -1);
        return;
    }
    if (button >= GLUT_LEFT_BUTTON && button <= GLUT_RIGHT_BUTTON) {
        const uint8_t bit = uint8_t(1u << button);
        if (state == GLUT_DOWN) mouseState = uint8_t(mouseState | bit);
        else mouseState = uint8_t(mouseState & ~bit);
    }
    xMLast = x;
    yMLast = y;
    game->onMouseClick(mouseState, x, y);
}

void onMouseMotion(int x, int y) {
    game->onMouseMotion(x, y, x - xMLast, y - yMLast);
    if (bLockMouse) glutWarpPointer(x, y);
    xMLast = x;
    yMLast = y;
}

void onPassiveMotion(int x, int y) {
    game->onPassiveMotion(x, y, x - xMLast, y - yMLast);
    if (bLockMouse && (x != xMLast || y != yMLast)) glutWarpPointer(xWin / 2, yWin / 2);
    xMLast = x;
    yMLast = y;
}

}  // namespace

int main(int argc, char** argv) {
    // Before glutInit, which fails without a display: --help must answer anywhere.
    if (int status = session.parse(argc, argv); status >= 0) return status;
    std::fputs("Running on linux platform.\n", stderr);
    std::string problem;
    if (!enterContentFolder(problem)) exitGame(problem.c_str());
    if (int status = session.prepare(); status >= 0) return status;

    game = new (std::nothrow) cGame();
    if (!game) exitGame("Failed to create game.");

    std::vector<char*>& glutArgs = session.glutArgs();
    int glutArgc = int(glutArgs.size());
    glutArgs.push_back(nullptr);
    glutInit(&glutArgc, glutArgs.data());
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(xWin, yWin);
    glutInitWindowPosition(startPosition(glutGet(GLUT_SCREEN_WIDTH), xWin),
                           startPosition(glutGet(GLUT_SCREEN_HEIGHT), yWin));
    glutCreateWindow("Orbix-TAL  v.0.0.2.0");
    // Closing the window returns from the main loop, so the controller is
    // destroyed and the audio device closed on the way out.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutCloseFunc(onClose);
    game->setQuitHandler(onQuit);
    // X11 auto-repeat would turn a held key into release/press pairs.
    glutIgnoreKeyRepeat(1);
    glutSetCursor(GLUT_CURSOR_NONE);

    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecialFunc);
    glutSpecialUpFunc(onSpecialUpFunc);
    glutMouseFunc(onMouseClick);
    glutMotionFunc(onMouseMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    // The timedemo draws one frame per recorded tick, as fast as the display loop runs.
    if (session.isTimedemo()) bFullPowerMode = true;
    else frameTimer.start();

    const GLubyte* version = glGetString(GL_VERSION);
    std::fprintf(stderr, "Running on OpenGL Version: %s\n", version ? reinterpret_cast<const char*>(version) : "?");
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
    std::fprintf(stderr, "Number of Multitexture Units: %d\n", units);
    resolveMultitexture();

    if (!game->init()) exitGame("Game initialization failed.");
    if (int status = session.attach(*game); status >= 0) exitGame(nullptr, status);
    if (session.getLine().isCampaign()) {
        game->startCampaign();
        glutWindowStatusFunc(onWindowStatus);
        if (game->wantsFullScreen()) {
            glutFullScreen();
            bFullScreen = true;
        }
    }
    glutMainLoop();
    finishGame();
    exitGame(nullptr, exitStatus);
}
