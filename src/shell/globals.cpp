// Shared value types and stateless helpers.
#include "shell/globals.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>

float sVector::length() const {
    return static_cast<float>(std::sqrt(double(x) * x + double(y) * y + double(z) * z));
}

void sVector::normalize() {
    float l = length();
    if (l == 0.0f) return;
    x /= l;
    y /= l;
    z /= l;
}

sVector sVector::operator+(sVector v) const { return sVector(x + v.x, y + v.y, z + v.z); }
sVector sVector::operator-(sVector v) const { return sVector(x - v.x, y - v.y, z - v.z); }

sVector sVector::operator*(sVector v) const {
    return sVector(y * v.z - z * v.y, x * v.z - z * v.x, x * v.y - y * v.x);
}

sVector sVector::operator/(float d) const {
    if (d == 0.0f) return sVector();
    return sVector(x / d, y / d, z / d);
}

void sRGBA::set(const float* rgba) {
    uint8_t* out[4] = {&r, &g, &b, &a};
    for (int i = 0; i < 4; i++) {
        // Truncate to 16 bits and keep the low byte, so out-of-range inputs wrap
        // the way the colour tables were tuned for; the float is clamped first so
        // the conversion itself is always defined.
        double v = std::fmax(-32768.0, std::fmin(32767.0, rgba[i] * 255.0));
        *out[i] = static_cast<uint8_t>(static_cast<int16_t>(v));
    }
}

double randomD(double low, double high) {
    return low + std::rand() % 32768 * (high - low) / 32767.0;
}

float dist(float x1, float y1, float x2, float y2) {
    double dx = double(x1) - x2, dy = double(y1) - y2;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

float getAngle(float x1, float y1, float x2, float y2) {
    float d = dist(x1, y1, x2, y2);
    if (d == 0.0f) return 0.0f;
    double c = (double(x1) - x2) / d;
    if (c > 1.0) c = 1.0;
    if (c < -1.0) c = -1.0;
    float a = static_cast<float>(std::acos(c));
    return y2 > y1 ? -a : a;
}

void renderAxis(float width) {
    glLineWidth(width);
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(1, 0, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 1, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 1);
    glEnd();
    glLineWidth(1.0f);
}
