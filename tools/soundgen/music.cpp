// The main menu's music: eight bars of a military march in D minor at 120 beats a minute
// (16 seconds): snare and bass drum, an oom-pah bass, and a brass tune. Note tails that run
// past the end are folded onto the start, so the loop has no seam.
#include <cmath>

#include "tools/soundgen/effects.h"

namespace {

constexpr double kBeat = 0.5;
constexpr int kBars = 8;

double Midi(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A brass voice: a saw through a low-pass whose cutoff opens with the attack, slight vibrato.
void Brass(cSound& s, double t, double dur, double freq, double amp)
{
    long start = long(t * kSampleRate), count = long((dur + 0.12) * kSampleRate);
    cBiquad filter(cBiquad::kLowPass, freq * 2, 0.9);
    double phase = 0, phase2 = 0;
    for (long i = 0; i < count; i++) {
        double x = double(i) / kSampleRate;
        double vibrato = 1 + 0.004 * std::sin(2 * M_PI * 5.5 * x) * std::min(1.0, x / 0.3);
        phase += freq * vibrato / kSampleRate;
        phase2 += freq * 1.003 * vibrato / kSampleRate;
        double saw = (2 * (phase - std::floor(phase)) - 1) + 0.6 * (2 * (phase2 - std::floor(phase2)) - 1);
        double env = x < 0.03 ? x / 0.03 : (x < dur ? 1.0 - 0.25 * std::min(1.0, (x - 0.03) / 0.4) : 0.75 * std::exp(-(x - dur) * 30));
        if (i % 32 == 0)
            filter.Set(cBiquad::kLowPass, freq * (1.5 + 4.0 * env), 1.1);
        s.Add(start + i, float(amp * env * filter.Process(float(saw))));
    }
}

void Snare(cSound& s, double t, double amp, cNoise& n)
{
    s.NoiseBurst(t, 0.16, cBiquad::kBandPass, 2400, 1800, 0.8, amp, 0.001, 26, n);
    s.Tone(t, 0.08, 210, 180, 0, amp * 0.35, 0.001, 0.02, 40);
}

void BassDrum(cSound& s, double t, double amp, cNoise& n)
{
    s.Tone(t, 0.35, 80, 45, 0, amp, 0.002, 0.05, 9);
    s.NoiseBurst(t, 0.05, cBiquad::kLowPass, 300, 300, 0.7, amp * 0.3, 0.001, 60, n);
}

void Cymbal(cSound& s, double t, double amp, cNoise& n)
{
    s.NoiseBurst(t, 1.6, cBiquad::kHighPass, 6000, 5000, 0.7, amp, 0.002, 3, n);
}

} // namespace

cSound MainMenuMusic()
{
    cSound s(kBars * 4 * kBeat);
    s.wrap = true;
    cNoise n(1941);

    // The tune: (start beat, length in beats, note).
    const double tune[][3] = {
        {0, 1, 62},     {1, 1, 69},      {2, 0.75, 69},   {2.75, 0.25, 69}, {3, 1, 70},                 // bar 1
        {4, 1.5, 69},   {5.5, 0.5, 67},  {6, 1, 65},      {7, 1, 64},                                   // bar 2
        {8, 1, 62},     {9, 0.75, 65},   {9.75, 0.25, 67}, {10, 1, 69},     {11, 1, 74},                // bar 3
        {12, 2, 72},    {14, 2, 69},                                                                    // bar 4
        {16, 1, 70},    {17, 0.75, 69},  {17.75, 0.25, 67}, {18, 1, 65},    {19, 1, 67},                // bar 5
        {20, 1.5, 69},  {21.5, 0.5, 65}, {22, 1, 64},     {23, 1, 60},                                  // bar 6
        {24, 1, 62},    {25, 0.75, 64},  {25.75, 0.25, 65}, {26, 1, 67},    {27, 1, 64},                // bar 7
        {28, 3, 62},                                                                                    // bar 8
    };
    for (const auto& note : tune) {
        double f = Midi(note[2]);
        Brass(s, note[0] * kBeat, note[1] * kBeat * 0.92, f, 0.16);
        Brass(s, note[0] * kBeat, note[1] * kBeat * 0.92, f / 2, 0.07);
    }

    // Harmony per half bar: bass root and the chord of the off-beat.
    struct sHalf {
        double bass;
        double chord[3];
    };
    const double dm[3] = {50, 53, 57}, f[3] = {53, 57, 60}, gm[3] = {55, 58, 62}, c[3] = {48, 52, 55}, a[3] = {49, 52, 57};
    auto half = [](double bass, const double* chord) { return sHalf{bass, {chord[0], chord[1], chord[2]}}; };
    const sHalf harmony[kBars * 2] = {
        half(38, dm), half(33, dm), half(38, dm), half(33, a), half(38, dm), half(33, dm), half(41, f), half(36, f),
        half(43, gm), half(38, gm), half(41, f),  half(36, c), half(43, gm), half(33, a),  half(38, dm), half(33, dm),
    };
    for (int h = 0; h < kBars * 2; h++) {
        double t = h * 2 * kBeat;
        // Oom: the bass on the beat; pah: the chord on the next beat.
        s.Tone(t, kBeat * 0.8, Midi(harmony[h].bass), Midi(harmony[h].bass), 1, 0.34, 0.01, 0.08, 2.0);
        for (double note : harmony[h].chord)
            Brass(s, t + kBeat, kBeat * 0.35, Midi(note), 0.045);
    }

    // Drums: bass drum on 1 and 3, the snare's march figure, a roll into the last bar.
    for (int bar = 0; bar < kBars; bar++) {
        double t = bar * 4 * kBeat;
        BassDrum(s, t, 0.5, n);
        BassDrum(s, t + 2 * kBeat, 0.42, n);
        const double snare[][2] = {{1, 0.32}, {1.75, 0.16}, {2, 0.2}, {3, 0.32}, {3.5, 0.16}, {3.75, 0.18}};
        for (const auto& hit : snare)
            Snare(s, t + hit[0] * kBeat, hit[1], n);
        if (bar == 0 || bar == 4)
            Cymbal(s, t, 0.14, n);
        if (bar == kBars - 1)
            for (int k = 0; k < 8; k++)
                Snare(s, t + 2 * kBeat + k * kBeat / 4, 0.12 + 0.025 * k, n);
    }
    s.Reverb(0.25, 1.5);
    s.Normalise(0.85);
    return s;
}
