// Program entry and the only contact with GLUT: the window, the input
// callbacks, the frame timer and the orderly ways out.
#include "platform/cFrameTimer.h"
#include "platform/contentFolder.h"
#include "platform/multitexture.h"
#include "platform/screenshot.h"
#include "shell/appGlobals.h"
#include "shell/cGame.h"
#include "shell/cSession.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>
#include <vector>

namespace {

// The frame timer's view of GLUT and the controller.
class cGlutHost : public cFrameTimer::iHost {
public:
    void update(int ms) override { game->onUpdate(ms); }
    void redisplay() override { glutPostRedisplay(); }
    void armTimer(int delayMs) override;
};

cGlutHost host;
cFrameTimer frameTimer(host, bFullPowerMode);
cSession session;
bool screenshotWanted = false;  // F12 was pressed; the next frame is saved

int now() { return glutGet(GLUT_ELAPSED_TIME); }

void onTimer(int) { frameTimer.onTimerFired(now()); }

void cGlutHost::armTimer(int delayMs) { glutTimerFunc(unsigned(delayMs), onTimer, delayMs); }

[[noreturn]] void exitGame(const char* msg, int status = 0) {
    if (msg) {
        std::fprintf(stderr, "ERR: %s\n", msg);
        std::fputs("Closing game. Bye.\n", stderr);
    }
    delete game;
    game = nullptr;
    std::exit(status);
}

void onDisplay() {
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

void onKeyboard(unsigned char key, int, int) {
    static bool bFullScreen = false;
    static int xWinPos = 0, yWinPos = 0, xWinLast = 800, yWinLast = 600;
    game->onKeyboard(key);
    if (key >= 'A' && key <= 'Z') key = static_cast<unsigned char>(key + 32);
    if (key != 'x' || game->isInMenu()) return;
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
    if (key == GLUT_KEY_F12) {
        screenshotWanted = true;
        glutPostRedisplay();
    }
    game->onSpecialFunc(key);
}

void onSpecialUpFunc(int key, int, int) {
    if (key == GLUT_KEY_F4) bLockMouse = !bLockMouse;
    if (key == GLUT_KEY_F5) frameTimer.toggleFullPower();
    game->onSpecialUpFunc(key);
}

void onMouseClick(int button, int state, int x, int y) {
    // freeglut reports each wheel notch (buttons 3 to 6) as a press and a
    // release; passing them on would repeat the last click.
    if (button >= 3 && button <= 6) return;
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
    std::srand(unsigned(std::time(nullptr)));

    std::vector<char*>& glutArgs = session.glutArgs();
    int glutArgc = int(glutArgs.size());
    glutArgs.push_back(nullptr);
    glutInit(&glutArgc, glutArgs.data());
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowSize(xWin, yWin);
    glutInitWindowPosition(300, 300);
    glutCreateWindow("Orbix-TAL  v.0.0.2.0");
    // Closing the window returns from the main loop, so the controller is
    // destroyed and the audio device closed on the way out.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
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
    glutMainLoop();
    exitGame(nullptr, session.end(*game));
}
