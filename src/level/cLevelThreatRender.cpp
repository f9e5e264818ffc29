// Campaign HUD: arrows at the window's edge towards awake enemies that the view does not show.
#include "level/cLevel.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {
const float edgeMargin = 24.0f;  // px between an arrow's tip and the window's edge
const float arrowLength = 24.0f;
const float arrowHalfWidth = 10.0f;

// Clip coordinates of a terrain point through the saved column-major matrices.
void clipOf(const double* mv, const double* pr, double x, double y, double z, double out[4]) {
    double eye[4];
    for (int r = 0; r < 4; r++)
        eye[r] = mv[r] * x + mv[4 + r] * y + mv[8 + r] * z + mv[12 + r];
    for (int r = 0; r < 4; r++)
        out[r] = pr[r] * eye[0] + pr[4 + r] * eye[1] + pr[8 + r] * eye[2] + pr[12 + r] * eye[3];
}
}  // namespace

void cLevel::renderThreatMarkers(int w, int h) {
    if (!rules.campaign || w <= 0 || h <= 0)
        return;
    const float hw = w / 2.0f, hh = h / 2.0f;
    bool begun = false;
    for (const cEnemy* e = enemies; e != nullptr; e = e->getNext()) {
        if (!e->isAlive() || !e->isPlayerClose())
            continue;
        double c[4];
        // His body, not his life bar: an arrow beside an enemy in plain view says nothing.
        clipOf(modelview, projection, e->getX(), e->getY(), e->getZ(), c);
        // A point behind the eye projects mirrored; its direction is the opposite one.
        if (std::fabs(c[3]) < 1e-9)
            continue;
        const double nx = c[0] / c[3], ny = c[1] / c[3];
        if (c[3] > 0 && nx >= -1 && nx <= 1 && ny >= -1 && ny <= 1)
            continue;
        const float sign = c[3] > 0 ? 1.0f : -1.0f;
        // Window pixels grow downwards in this pass, normalised y upwards.
        float dx = sign * float(c[0]) * hw, dy = -sign * float(c[1]) * hh;
        const float len = std::sqrt(dx * dx + dy * dy);
        if (!(len > 1e-6f))
            continue;
        dx /= len;
        dy /= len;
        const float reach = std::min(std::fabs(dx) > 1e-6f ? (hw - edgeMargin) / std::fabs(dx) : 1e9f,
                                     std::fabs(dy) > 1e-6f ? (hh - edgeMargin) / std::fabs(dy) : 1e9f);
        const float tx = hw + dx * reach, ty = hh + dy * reach;
        const float bx = tx - dx * arrowLength, by = ty - dy * arrowLength;
        if (!begun) {
            // An arrow's winding depends on where it points.
            glPushAttrib(GL_ENABLE_BIT);
            glDisable(GL_CULL_FACE);
            glBegin(GL_TRIANGLES);
            if (rules.colourBlind)
                glColor3f(1.0f, 150.0f / 255.0f, 0.0f);
            else
                glColor3f(1.0f, 0.0f, 0.0f);
            begun = true;
        }
        glVertex2f(tx, ty);
        glVertex2f(bx - dy * arrowHalfWidth, by + dx * arrowHalfWidth);
        glVertex2f(bx + dy * arrowHalfWidth, by - dx * arrowHalfWidth);
    }
    if (begun) {
        glEnd();
        glPopAttrib();
    }
}
