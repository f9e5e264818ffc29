// Drawing of the enemy list: minimap marks, then the bodies inside the view.
#include "units/cEnemy.h"

#include "world/cGameSetup.h"

void cEnemy::render(cPoint* view) {
    // Marks go front to back; bodies are drawn after all marks.
    const bool blind = gameSetup != nullptr && gameSetup->colourBlind;
    for (cEnemy* e = this; e; e = e->next)
        if (e->isAlive()) e->markMiniMap(blind ? sRGBA(255, 150, 0, 255) : sRGBA(255, 0, 0, 255));
    for (cEnemy* e = this; e; e = e->next) {
        if (!e->isAlive()) continue;
        if (view && !(e->x >= float(view[0].x) && e->x <= float(view[1].x) && e->y >= float(view[0].y) &&
                      e->y <= float(view[1].y)))
            continue;
        e->cBall::render();
    }
}
