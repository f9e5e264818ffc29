// Shared value types and stateless helpers used across the whole game.
#pragma once

#include <cstdint>

// Float vector for positions, directions and normals (world units).
struct sVector {
    float x, y, z;

    sVector() : x(0), y(0), z(0) {}
    sVector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    float length() const;
    // Leaves a zero-length vector unchanged.
    void normalize();

    sVector operator+(sVector v) const;
    sVector operator-(sVector v) const;
    // Cross product with the middle component negated; the terrain normals
    // depend on exactly this sign, so it must not be "fixed".
    sVector operator*(sVector v) const;
    // Division by zero yields the zero vector.
    sVector operator/(float d) const;
};

// Uninitialised float vertex, laid out for vertex arrays.
struct sVertex {
    float x, y, z;
    void set(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }
};

struct cVertex {
    double x = 0, y = 0, z = 0;
};

struct cPoint {
    double x, y;
    cPoint() : x(0), y(0) {}
    cPoint(double x_, double y_) : x(x_), y(y_) {}
};

// Exactly four bytes, red first: the pixel layout of cBitmap.
struct sRGBA {
    uint8_t r, g, b, a;

    constexpr sRGBA() : r(0), g(0), b(0), a(255) {}
    constexpr sRGBA(uint8_t r_, uint8_t g_, uint8_t b_, uint8_t a_) : r(r_), g(g_), b(b_), a(a_) {}

    // From four floats in 0..1; each is scaled by 255 and truncated.
    void set(const float* rgba);
    constexpr bool operator==(const sRGBA& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
};
static_assert(sizeof(sRGBA) == 4, "sRGBA must be four bytes");

// Planar distance between (x1, y1) and (x2, y2).
float dist(float x1, float y1, float x2, float y2);
// Direction of the vector from point 2 to point 1, radians in (-pi, pi]; 0 for equal points.
float getAngle(float x1, float y1, float x2, float y2);
// Draws unit axes at the origin (x red, y green, z blue); a debugging aid.
void renderAxis(float width);
