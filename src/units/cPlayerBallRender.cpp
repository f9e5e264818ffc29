// Drawing of the squad: minimap marks and bodies.
#include "units/cPlayerBall.h"

void cPlayerBall::render() {
    for (cPlayerBall* s = this; s; s = s->next) {
        if (s->isAlive()) s->markMiniMap(sRGBA(0, 255, 30, 255));
        s->cBall::render();
    }
}
