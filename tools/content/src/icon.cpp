// The icon is painted once large and shrunk by whole factors, so every size is
// smoothed alike; the face is the game's own texture pair, wrapped on the ball.
#include "icon.h"

#include "textures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kIconMaster = 768;  // a multiple of every size in kIconSizes

const sColour kSkyTop = rgb8(70, 130, 200);
const sColour kSkyLow = rgb8(170, 210, 240);
const sColour kGrass = rgb8(80, 150, 60);
const sColour kGrassFar = rgb8(120, 175, 80);
const sColour kBody = rgb8(225, 70, 25);
const sColour kHelmet = rgb8(85, 105, 55);
const sColour kOutline = rgb8(30, 22, 28);

// Ball and helmet in master pixels, y up.
constexpr float kCx = 384, kCy = 350, kRadius = 300;
constexpr float kHelmetRadius = 318;

bool isKey(sColour c) { return c.r > 0.99f && c.g < 0.01f && c.b > 0.99f; }

sColour scale(sColour c, float k) { return {c.r * k, c.g * k, c.b * k}; }

// Lambert light from the upper left with a white highlight; n is the unit normal.
sColour shade(sColour base, float nx, float ny, float nz) {
    const float lx = -0.45f, ly = 0.55f, lz = 0.70f;  // about unit length
    const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
    // Blinn's half vector with the viewer on +z.
    const float hx = lx, hy = ly, hz = lz + 1.0f;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    const float glint = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl), 40.0f);
    return mix(scale(base, 0.30f + 0.75f * diffuse), rgb8(255, 255, 255), 0.55f * glint);
}

// The ball's colour with the face laid over it: the picture is laid on the ball
// straight from the front, a little low, as the game's camera looks down on its
// faces and the icon looks at them level. Filtered like a decal texture with
// linear filtering: key texels show the ball beneath.
sColour faceOver(sColour ball, const cCanvas& eyes, const cCanvas& mood, float nx, float ny) {
    const float u = (0.5f + nx * 0.45f) * kFaceSize - 0.5f, v = (0.60f + ny * 0.45f) * kFaceSize - 0.5f;
    const int x0 = int(std::floor(u)), y0 = int(std::floor(v));
    const float fx = u - float(x0), fy = v - float(y0);
    auto texel = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= kFaceSize || y >= kFaceSize) return ball;
        if (const sColour c = mood.at(x, y); !isKey(c)) return c;
        if (const sColour c = eyes.at(x, y); !isKey(c)) return c;
        return ball;
    };
    return mix(mix(texel(x0, y0), texel(x0 + 1, y0), fx), mix(texel(x0, y0 + 1), texel(x0 + 1, y0 + 1), fx), fy);
}

// The helmet's lower edge: it follows the ball's curve, lower at the sides.
float brimY(float x) {
    const float t = (x - kCx) / kHelmetRadius;
    return kCy + 0.50f * kRadius - 0.28f * kRadius * t * t;
}

sColour pixelAt(float x, float y, const cCanvas& eyes, const cCanvas& mood) {
    const float horizon = 250;
    sColour c = y > horizon ? mix(kSkyLow, kSkyTop, (y - horizon) / (kIconMaster - horizon))
                            : mix(kGrass, kGrassFar, y / horizon);
    // The ball's shadow on the grass.
    const float sx = (x - kCx - 40) / (kRadius * 1.05f), sy = (y - 55) / (kRadius * 0.22f);
    if (sx * sx + sy * sy < 1.0f) c = scale(c, 0.6f);

    const float hx = (x - kCx) / kHelmetRadius, hy = (y - kCy) / kHelmetRadius;
    const float hd = hx * hx + hy * hy;
    const float bx = (x - kCx) / kRadius, by = (y - kCy) / kRadius;
    const float bd = bx * bx + by * by;
    const float brim = brimY(x);
    if (hd < 1.0f && y > brim) {  // the helmet's dome, its band just above the brim
        const sColour hc = y < brim + 22 ? scale(kHelmet, 0.7f) : kHelmet;
        return hd > 0.975f ? kOutline : shade(hc, hx, hy, std::sqrt(1.0f - hd));
    }
    if (bd < 1.0f) {
        if (bd > 0.97f) return kOutline;
        return faceOver(shade(kBody, bx, by, std::sqrt(1.0f - bd)), eyes, mood, bx, by);
    }
    return c;
}

}  // namespace

cCanvas iconPicture(int size) {
    const cCanvas eyes = winkFrame(0);
    const cCanvas mood = moodFrame(2, 2);  // the laugh, mouth wide open
    cCanvas master(kIconMaster, kIconMaster);
    for (int y = 0; y < kIconMaster; y++)
        for (int x = 0; x < kIconMaster; x++) master.set(x, y, pixelAt(x + 0.5f, y + 0.5f, eyes, mood));
    return master.shrunk(kIconMaster / size);
}

bool writeIcons(const std::string& dir) {
    bool ok = true;
    for (int size : kIconSizes)
        ok = iconPicture(size).savePng(dir + "/orbix-tal-" + std::to_string(size) + ".png") && ok;
    return ok;
}
