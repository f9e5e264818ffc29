// Definitions of the program-wide state declared in appGlobals.h.
#include "shell/appGlobals.h"

cGame* game = nullptr;
int xWin = 800, yWin = 600;
bool bLockMouse = false;
bool bFullPowerMode = false;
uint8_t mouseState = 0;
int xMLast = 0, yMLast = 0;
