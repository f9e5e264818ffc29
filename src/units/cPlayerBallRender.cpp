// Drawing of the squad: minimap marks and bodies.
#include "units/cPlayerBall.h"

#include "world/cGameSetup.h"

void cPlayerBall::render() {
    const bool blind = gameSetup != nullptr && gameSetup->colourBlind;
    for (cPlayerBall* s = this; s; s = s->next) {
        if (s->isAlive()) s->markMiniMap(blind ? sRGBA(30, 110, 255, 255) : sRGBA(0, 255, 30, 255));
        s->cBall::render();
    }
}
