// Sound synthesis from noise, tones, envelopes and filters.
#include "sounds.h"

#include "cFilter.h"
#include "cRandom.h"
#include "cWavWriter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = cWavWriter::kRate;

size_t samplesFor(double seconds) { return size_t(seconds * kRate); }

// Scales to the given peak and fades the last few milliseconds, so a sound
// never ends on a click.
void finish(std::vector<float>& s, float peak = 0.9f) {
    float top = 0;
    for (float x : s) top = std::max(top, std::fabs(x));
    if (top > 0)
        for (float& x : s) x *= peak / top;
    const size_t fade = std::min(s.size(), samplesFor(0.01));
    for (size_t i = 0; i < fade; i++) s[s.size() - 1 - i] *= float(i) / float(fade);
}

// Exponential decay with time constant tau seconds, after an attack of a few samples.
double envelope(double t, double attack, double tau) {
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

struct sShot {
    double crackFreq, crackTau;   // high bright burst
    double bodyFreq, bodyTau;     // low thump
    double tailCutoff, tailTau;   // rumbling echo
    double ring, ringTau;         // metallic ring of the action, 0 for none
    double length;
    uint64_t seed;
};

std::vector<float> shot(const sShot& p) {
    cRandom rnd(p.seed);
    cFilter crack(cFilter::highPass, p.crackFreq, 0.7, kRate);
    cFilter tail(cFilter::lowPass, p.tailCutoff, 0.8, kRate);
    cFilter body(cFilter::lowPass, p.bodyFreq * 3, 0.7, kRate);
    std::vector<float> s(samplesFor(p.length));
    for (size_t i = 0; i < s.size(); i++) {
        const double t = double(i) / kRate;
        const float n = float(rnd.range(-1, 1));
        double v = crack.step(n) * envelope(t, 0.0005, p.crackTau) * 1.2;
        // The thump falls in pitch as the gas expands.
        const double f = p.bodyFreq * (1.0 + 1.5 * std::exp(-t / 0.01));
        v += std::sin(2 * kPi * f * t) * envelope(t, 0.001, p.bodyTau) * 0.9;
        v += body.step(n) * envelope(t, 0.001, p.bodyTau) * 1.5;
        v += tail.step(n) * envelope(t, 0.004, p.tailTau) * 0.6;
        if (p.ring > 0) v += std::sin(2 * kPi * p.ring * t) * envelope(t, 0.002, p.ringTau) * 0.15;
        s[i] = float(v);
    }
    finish(s);
    return s;
}

}  // namespace

std::vector<float> pistolShot(int variant) {
    switch (variant) {
    case 1:  // a sharp, dry crack
        return shot({2500, 0.012, 140, 0.05, 1800, 0.09, 0, 0, 0.45, 11});
    case 2:  // a heavier gun with a deep boom and a long echo
        return shot({1500, 0.018, 90, 0.08, 900, 0.16, 0, 0, 0.7, 22});
    default:  // a snappy small calibre with a metallic ring
        return shot({4000, 0.008, 220, 0.03, 3000, 0.06, 2300, 0.05, 0.35, 33});
    }
}

std::vector<float> explosion() {
    cRandom rnd(44);
    cFilter rumble(cFilter::lowPass, 900, 0.9, kRate);
    cFilter deep(cFilter::lowPass, 120, 1.2, kRate);
    cFilter crack(cFilter::highPass, 1200, 0.7, kRate);
    cFilter debris(cFilter::lowPass, 1800, 0.7, kRate);
    std::vector<float> s(samplesFor(2.0));
    double crackle = 0;
    for (size_t i = 0; i < s.size(); i++) {
        const double t = double(i) / kRate;
        const float n = float(rnd.range(-1, 1));
        // The rumble darkens as the blast dies away.
        rumble.tune(150 + 2500 * std::exp(-t / 0.25), 0.9);
        double v = rumble.step(n) * envelope(t, 0.003, 0.55) * 2.0;
        v += deep.step(n) * envelope(t, 0.01, 0.7) * 6.0;
        v += crack.step(n) * envelope(t, 0.0005, 0.03) * 1.5;
        v += std::sin(2 * kPi * (45 + 40 * std::exp(-t / 0.1)) * t) * envelope(t, 0.002, 0.35) * 0.8;
        // Debris: sparse dull knocks in the first second.
        if (t < 1.2 && rnd.unit() < 0.0015 * std::exp(-t / 0.5)) crackle = rnd.range(0.3, 0.8);
        v += debris.step(float(crackle) * n) * 1.5;
        crackle *= 0.992;
        s[i] = float(v);
    }
    finish(s);
    return s;
}

std::vector<float> radioChirp() {
    // Squelch, two beeps and a closing burst of static, as a field radio keys up.
    cRandom rnd(55);
    cFilter band(cFilter::bandPass, 1800, 0.8, kRate);
    std::vector<float> s(samplesFor(0.55));
    for (size_t i = 0; i < s.size(); i++) {
        const double t = double(i) / kRate;
        double v = 0;
        const double n = band.step(float(rnd.range(-1, 1)));
        if (t < 0.06) v += n * 1.4 * (1 - t / 0.06);
        if (t >= 0.08 && t < 0.2) v += 0.5 * std::sin(2 * kPi * 1200 * t) * std::min(1.0, (0.2 - t) * 200);
        if (t >= 0.24 && t < 0.38) v += 0.5 * std::sin(2 * kPi * 1600 * t) * std::min(1.0, (0.38 - t) * 200);
        if (t >= 0.42) v += n * 1.1 * std::exp(-(t - 0.42) / 0.04);
        s[i] = float(v);
    }
    finish(s, 0.8f);
    return s;
}

std::vector<float> laugh() {
    // "Ha-ha-ha-ha-ha": a falling voice through the formants of an open "a",
    // each syllable opened by a breath of "h".
    cRandom rnd(66);
    const double f1 = 750, f2 = 1200, f3 = 2600;
    cFilter v1(cFilter::bandPass, f1, 6, kRate), v2(cFilter::bandPass, f2, 8, kRate), v3(cFilter::bandPass, f3, 10, kRate);
    cFilter h1(cFilter::bandPass, f1, 3, kRate), h2(cFilter::bandPass, f2, 4, kRate);
    const int syllables = 5;
    const double step = 0.17;
    std::vector<float> s(samplesFor(syllables * step + 0.15));
    double phase = 0;
    for (size_t i = 0; i < s.size(); i++) {
        const double t = double(i) / kRate;
        const int k = std::min(syllables - 1, int(t / step));
        const double ts = t - k * step;
        const double pitch = 210 - 14 * k - 60 * ts;
        phase += pitch / kRate;
        phase -= std::floor(phase);
        // A glottal pulse: a sharp rise, a slower fall.
        const double pulse = phase < 0.1 ? phase / 0.1 : std::exp(-(phase - 0.1) * 6);
        const double voice = std::clamp((ts - 0.03) / 0.015, 0.0, 1.0) * std::exp(-std::max(0.0, ts - 0.05) / 0.035);
        const double breath = std::min(1.0, ts / 0.006) * std::exp(-ts / 0.025) * 0.5;
        const float n = float(rnd.range(-1, 1));
        const double loud = 1.0 - 0.12 * k;
        double v = (v1.step(float(pulse)) * 1.0 + v2.step(float(pulse)) * 0.6 + v3.step(float(pulse)) * 0.25) * voice;
        v += (h1.step(n) + h2.step(n) * 0.7) * breath;
        s[i] = float(v * loud);
    }
    finish(s, 0.8f);
    return s;
}

bool writeSounds(const std::string& dir) {
    bool ok = true;
    for (int v = 1; v <= 3; v++) ok = cWavWriter::save(dir + "/pistol" + std::to_string(v) + ".wav", pistolShot(v)) && ok;
    ok = cWavWriter::save(dir + "/explode.wav", explosion()) && ok;
    ok = cWavWriter::save(dir + "/ctsm.wav", radioChirp()) && ok;
    ok = cWavWriter::save(dir + "/laught.wav", laugh()) && ok;
    return ok;
}
