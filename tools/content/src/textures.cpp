// Painted unit textures. Faces use hard edges only: a blended edge against the
// key colour would leave pink pixels that are not transparent.
#include "textures.h"

#include "cRandom.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Face layout in picture pixels, y upwards; the head maps the picture's centre
// to the front of the ball. The features sit above the centre because the
// game's camera looks down on the units from about 55 degrees.
constexpr float kEyeY = 88, kEyeLeftX = 49, kEyeRightX = 79;
constexpr float kEyeRx = 9, kEyeRy = 11;
constexpr float kMouthY = 56, kMouthX = 64;
constexpr float kMouthScale = 1.2f;  // the shapes below are drawn for a scale of 1

const sColour kOutline = rgb8(30, 22, 28);
const sColour kEyeWhite = rgb8(250, 250, 246);
const sColour kIris = rgb8(60, 120, 70);
const sColour kPupil = rgb8(12, 12, 16);
const sColour kBrow = rgb8(58, 38, 24);
const sColour kMouthInside = rgb8(110, 18, 32);
const sColour kTongue = rgb8(225, 95, 110);
const sColour kTeeth = rgb8(248, 248, 240);
const sColour kTear = rgb8(130, 200, 255);

cCanvas blankFace() { return cCanvas(kFaceSize, kFaceSize, keyColour()); }

void eye(cCanvas& c, float cx, float closed) {
    // The lid comes down from the top: everything above the lid line shows the ball.
    const float lid = kEyeY + kEyeRy - 2 * kEyeRy * closed;
    for (int y = int(kEyeY - kEyeRy - 2); y <= int(kEyeY + kEyeRy + 2); y++)
        for (int x = int(cx - kEyeRx - 2); x <= int(cx + kEyeRx + 2); x++) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float dx = (px - cx) / kEyeRx, dy = (py - kEyeY) / kEyeRy;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d > 1.15f || py > lid + 1.5f) continue;
            if (py > lid - 0.5f) {  // the lash line
                c.set(x, y, kOutline);
                continue;
            }
            if (d > 0.9f) {
                c.set(x, y, kOutline);
                continue;
            }
            const float ix = (px - cx) / 5.0f, iy = (py - (kEyeY - 1)) / 5.5f;
            const float id = std::sqrt(ix * ix + iy * iy);
            sColour col = kEyeWhite;
            if (id < 1.0f) col = kIris;
            if (id < 0.55f) col = kPupil;
            const float hx = px - (cx + 1.8f), hy = py - (kEyeY + 1.5f);
            if (hx * hx + hy * hy < 2.2f) col = kEyeWhite;  // a glint
            c.set(x, y, col);
        }
}

// A thick line between two points in picture pixels.
void stroke(cCanvas& c, float x0, float y0, float x1, float y1, float width, sColour col) {
    c.line(x0, y0, x1, y1, width, col);
}

// Brows: raise lifts both, tilt lowers the inner ends (anger) or lifts them
// (sorrow). The outer ends start higher, because the ball's curve pulls them
// down: level brows would read as worried.
void brows(cCanvas& c, float raise, float tilt) {
    const float y = kEyeY + kEyeRy + 5 + raise;
    stroke(c, kEyeLeftX - 8, y + 3, kEyeLeftX + 7, y - tilt, 4.0f, kBrow);
    stroke(c, kEyeRightX - 7, y - tilt, kEyeRightX + 8, y + 3, 4.0f, kBrow);
}

struct sMouth {
    float halfWidth = 14;  // pixels at a scale of 1
    float open = 0;     // 0 a closed line, 1 fully open (about 19 pixels)
    float curve = 0;    // positive smiles (centre lower than corners), negative frowns
    bool teeth = false;
    bool tongue = false;
    float shiftY = 0;
};

void mouth(cCanvas& c, const sMouth& m) {
    const float cy = kMouthY + m.shiftY;
    const float hw = m.halfWidth * kMouthScale;
    for (int x = int(kMouthX - hw - 3); x <= int(kMouthX + hw + 3); x++) {
        const float dx = (x + 0.5f - kMouthX) / hw;
        if (std::fabs(dx) > 1.0f) continue;
        const float s = 1.0f - dx * dx;
        const float centre = cy - m.curve * 7.0f * s;
        const float half = m.open * 8.0f * kMouthScale * std::sqrt(s);
        // The upper lip follows the curve less than the lower one, as a smile opens.
        const float top = centre + half * 0.6f + m.curve * 2.0f * s * m.open;
        const float bottom = centre - half * 1.4f;
        for (int y = int(bottom - 3); y <= int(top + 3); y++) {
            const float py = y + 0.5f;
            if (py > top + 1.3f || py < bottom - 1.3f) continue;
            sColour col = kOutline;
            if (py < top - 1.0f && py > bottom + 1.0f) {
                col = kMouthInside;
                if (m.teeth && py > top - 4.5f) col = kTeeth;
                if (m.tongue && py < bottom + 4.0f && std::fabs(dx) < 0.55f) col = kTongue;
            }
            c.set(x, y, col);
        }
    }
}

void tear(cCanvas& c, float x, float y) {
    c.fillEllipse(x, y, 2.2f, 3.2f, kTear);
    c.fillEllipse(x, y + 2.8f, 1.2f, 1.6f, kTear);
}

// One step of a seven-frame loop as an angle, so frame 6 runs back into frame 0.
double loopAngle(int frame) { return 2 * kPi * (frame % 7) / 7.0; }

}  // namespace

sColour keyColour() { return rgb8(255, 0, 255); }

cCanvas winkFrame(int frame) {
    cCanvas c = blankFace();
    const float closed = std::clamp(frame, 0, 6) / 6.0f;
    eye(c, kEyeLeftX, closed);
    eye(c, kEyeRightX, closed);
    return c;
}

cCanvas moodFrame(int mood, int frame) {
    cCanvas c = blankFace();
    const double a = loopAngle(frame);
    const float wave = float(std::sin(a));
    switch (mood) {
    case 1: {  // angry: knitted brows and a shout that swells and ebbs
        brows(c, -3.0f + 1.0f * wave, 9.0f + 1.5f * wave);
        sMouth m;
        m.halfWidth = 12.0f + 1.0f * wave;
        m.open = 0.4f + 0.25f * wave;
        m.curve = -0.5f;
        m.teeth = true;
        mouth(c, m);
        break;
    }
    case 2: {  // laughing: high brows, a wide open grin bouncing with each "ha"
        brows(c, 4.0f + 1.5f * float(std::fabs(std::sin(a))), -3.0f);
        sMouth m;
        m.halfWidth = 15.0f;
        m.open = 0.55f + 0.4f * float(std::fabs(std::sin(a)));
        m.curve = 0.9f;
        m.teeth = true;
        m.tongue = true;
        m.shiftY = 1.0f * wave;
        mouth(c, m);
        break;
    }
    case 3: {  // crying: sorrowful brows, a trembling frown and falling tears
        brows(c, 1.0f, -6.0f);
        sMouth m;
        m.halfWidth = 10.0f + 0.8f * wave;
        m.open = 0.18f + 0.1f * float(std::fabs(std::sin(2 * a)));
        m.curve = -0.9f;
        mouth(c, m);
        const float fall = float(frame % 7) / 7.0f;
        tear(c, kEyeLeftX - 3, kEyeY - kEyeRy - 4 - 22 * fall);
        tear(c, kEyeRightX + 3, kEyeY - kEyeRy - 4 - 22 * std::fmod(fall + 0.5f, 1.0f));
        break;
    }
    case 4: {  // talking: the mouth runs through the shapes of speech
        brows(c, 1.0f + 1.0f * float(std::sin(a * 2)), -2.0f);
        static const float kOpen[7] = {0.1f, 0.5f, 0.8f, 0.35f, 0.65f, 0.2f, 0.45f};
        static const float kWidth[7] = {12.0f, 10.0f, 12.5f, 8.0f, 11.0f, 13.0f, 9.0f};
        sMouth m;
        m.halfWidth = kWidth[frame % 7];
        m.open = kOpen[frame % 7];
        m.curve = 0.25f;
        m.tongue = m.open > 0.4f;
        mouth(c, m);
        break;
    }
    default: {  // the resting smile
        brows(c, 2.0f, -2.5f);
        sMouth m;
        m.halfWidth = 14.0f;
        m.open = 0.0f;
        m.curve = 0.8f;
        mouth(c, m);
        break;
    }
    }
    return c;
}

cCanvas pistolSkin() {
    // u runs along the gun (muzzle at the right), v up its height.
    cCanvas c(64, 64);
    cRandom rnd(7);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const float v = y / 63.0f;
            sColour col = mix(rgb8(38, 42, 50), rgb8(96, 104, 118), v);
            if (y > 46 && y < 49) col = rgb8(140, 150, 165);                      // slide edge
            if (y > 36 && x > 4 && x < 18 && (x % 3) == 0) col = rgb8(30, 32, 38);  // serrations
            if (y < 30 && x < 22) {                                               // grip
                col = rgb8(92, 58, 36);
                if (((x + y) % 5 == 0) || ((x - y + 64) % 5 == 0)) col = rgb8(64, 40, 26);
            }
            col = mix(col, rgb8(0, 0, 0), float(rnd.range(0, 0.06)));
            c.set(x, y, col);
        }
    return c;
}

cCanvas bazookaSkin() {
    // u from the back of the tube (0) to the rocket's tip (1); v around the tube.
    cCanvas c(64, 64);
    cRandom rnd(8);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const float u = x / 63.0f;
            sColour col = rgb8(88, 104, 58);
            if (u < 0.08f) col = rgb8(52, 58, 40);                        // rear flare
            if (u > 0.28f && u < 0.33f) col = rgb8(60, 70, 42);          // a band
            if (u > 0.46f && u < 0.52f) col = ((x + y) / 3) % 2 ? rgb8(230, 190, 40) : rgb8(30, 30, 30);
            if (u > 0.70f && u < 0.74f) col = rgb8(60, 70, 42);          // muzzle ring
            if (u >= 0.74f) col = rgb8(150, 156, 160);                   // rocket body
            if (u >= 0.80f) col = rgb8(196, 44, 32);                     // warhead
            if (u >= 0.95f) col = rgb8(70, 70, 76);                      // fuse tip
            if (y > 28 && y < 34 && u > 0.12f && u < 0.26f) col = rgb8(235, 235, 220);  // stencil strip
            col = mix(col, rgb8(0, 0, 0), float(rnd.range(0, 0.08)));
            c.set(x, y, col);
        }
    return c;
}

cCanvas flameSkin() {
    // A star of flame tongues around a white-hot core, on the key colour.
    cCanvas c(64, 64, keyColour());
    for (int y = 3; y < 61; y++)
        for (int x = 3; x < 61; x++) {
            const double dx = x + 0.5 - 32, dy = y + 0.5 - 32;
            const double r = std::sqrt(dx * dx + dy * dy);
            const double a = std::atan2(dy, dx);
            const double spikes = 0.5 + 0.5 * std::pow(std::fabs(std::cos(2.5 * a)), 3.0);
            const double reach = 11 + 17 * spikes + 2 * std::sin(7 * a);
            if (r > reach) continue;
            const float t = float(r / reach);
            sColour col = mix(rgb8(255, 255, 235), rgb8(255, 230, 90), std::min(1.0f, t * 2.0f));
            if (t > 0.5f) col = mix(rgb8(255, 230, 90), rgb8(240, 110, 20), (t - 0.5f) * 2.0f);
            c.set(x, y, col);
        }
    return c;
}

bool writeTextures(const std::string& dir) {
    bool ok = pistolSkin().save(dir + "/pistol.bmp");
    ok = bazookaSkin().save(dir + "/bazooka.bmp") && ok;
    ok = flameSkin().save(dir + "/flame.bmp") && ok;
    for (int f = 0; f < 7; f++) ok = winkFrame(f).save(dir + "/wink" + std::to_string(f + 1) + ".bmp") && ok;
    ok = moodFrame(0, 0).save(dir + "/smile1.bmp") && ok;
    static const char* const kMoods[5] = {"smile", "angry", "laught", "cry", "talk"};
    for (int m = 1; m < 5; m++)
        for (int f = 0; f < 7; f++)
            ok = moodFrame(m, f).save(dir + "/" + kMoods[m] + std::to_string(f + 1) + ".bmp") && ok;
    return ok;
}
