// A biquad filter (low pass, high pass, band pass) for the sound synthesis.
#pragma once

class cFilter {
public:
    enum eKind { lowPass, highPass, bandPass };
    // Frequency in Hz at the given sample rate; q shapes the resonance.
    cFilter(eKind kind, double frequency, double q, double rate);
    // Retunes without clearing the filter's memory, for sweeps.
    void tune(double frequency, double q);
    float step(float x);

private:
    eKind kind;
    double rate;
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};
