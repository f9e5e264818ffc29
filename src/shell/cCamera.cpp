// The level camera: glide, zoom, pan, tilt and turn.
#include "shell/cCamera.h"

#include "shell/globals.h"

#include <cmath>

void cCamera::reset() {
    x = 0;
    y = 0;
    z = -25;
    xTarget = x;
    yTarget = y;
    speed = 0.008f;
    zMax = -5;
    zMin = -250;
    angleZ = 0;
    angleZRad = 0;
    angleX = -35;
}

void cCamera::translateTo(float tx, float ty) {
    xTarget = tx;
    yTarget = ty;
}

void cCamera::translate(float dx, float dy) {
    double c = std::cos(double(angleZRad)), s = std::sin(double(angleZRad));
    x = static_cast<float>(x + c * dx - s * dy);
    y = static_cast<float>(y - s * dx - c * dy);
    xTarget = x;
    yTarget = y;
}

void cCamera::rotX(int degrees) { angleX += degrees; }

void cCamera::rotZ(float degrees) {
    angleZ += degrees;
    angleZRad = static_cast<float>(angleZ * M_PI / 180.0);
}

void cCamera::zoom(int amount) {
    z += amount;
    if (z > zMax) z = zMax;
    if (z < zMin) z = zMin;
}

void cCamera::update(int ms) {
    float step = ms * speed;
    float d = dist(xTarget, yTarget, x, y);
    if (step >= d) {
        x = xTarget;
        y = yTarget;
        return;
    }
    x += (xTarget - x) / d * step;
    y += (yTarget - y) / d * step;
}

bool cCamera::groundPoint(double px, double py, int winW, int winH, float mapW, float mapH, float& gx,
                          float& gy) const {
    if (winW < 1 || winH < 1)
        return false;
    // The pixel's ray runs from the near plane through the far plane, as an unprojection
    // of window depths 0 and 1 gives it; eye space first, then back through the view.
    const double f = 1.0 / std::tan(fieldOfView * M_PI / 360.0);
    const double aspect = static_cast<double>(winW) / winH;
    const double ndcX = 2.0 * px / winW - 1.0;
    const double ndcY = 1.0 - 2.0 * py / winH;
    const double tilt = angleX * M_PI / 180.0, turn = angleZ * M_PI / 180.0;
    const double ct = std::cos(tilt), st = std::sin(tilt), cz = std::cos(turn), sz = std::sin(turn);
    double ends[2][3];
    const double planes[2] = {nearPlane, farPlane};
    for (int i = 0; i < 2; i++) {
        const double d = planes[i];
        const double ex = ndcX * d * aspect / f, ey = ndcY * d / f, ez = -d - z;
        // Undo the tilt about x, then the turn about z, then the pan and the map's centring.
        const double ty = ct * ey + st * ez, tz = -st * ey + ct * ez;
        const double wx = cz * ex + sz * ty, wy = -sz * ex + cz * ty;
        ends[i][0] = wx - x + mapW / 2.0;
        ends[i][1] = wy - y + mapH / 2.0;
        ends[i][2] = tz;
    }
    const double* n = ends[0];
    const double dx = ends[1][0] - n[0], dy = ends[1][1] - n[1], dz = ends[1][2] - n[2];
    const double len = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!std::isfinite(len) || len == 0.0)
        return false;
    // Seen (nearly) edge-on the ray runs along the plane and meets it nowhere useful.
    if (std::fabs(dz) < 1e-9 * len)
        return false;
    // t < 0: the plane is crossed behind the near plane, behind the eye when the view
    // looks above the horizon.
    const double t = -n[2] / dz;
    if (!(t >= 0.0))
        return false;
    const double hx = n[0] + t * dx, hy = n[1] + t * dy;
    // Within a range any caller can safely turn into ints.
    if (!std::isfinite(hx) || !std::isfinite(hy) || std::fabs(hx) > 1e6 || std::fabs(hy) > 1e6)
        return false;
    gx = static_cast<float>(hx);
    gy = static_cast<float>(hy);
    return true;
}
