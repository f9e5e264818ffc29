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
