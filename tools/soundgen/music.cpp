// The music: the main menu's march (eight bars in D minor at 120 beats a minute, 16 seconds)
// and the two tracks of the map's general playlist. Snare and bass drum, an oom-pah bass,
// brass tunes and string pads; note tails that run past the end are folded onto the start,
// so every piece loops without a seam.
#include <cmath>

#include "tools/soundgen/effects.h"

namespace {

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

namespace {


struct sNote {
    double beat, length, midi;
};
struct sHalfBar {
    double bass;
    double chord[3];
};

// A march: tune over an oom-pah bass with the snare's figure, looping without a seam.
cSound RenderMarch(double bpm, int bars, const std::vector<sNote>& tune, const std::vector<sHalfBar>& harmony,
                   uint32_t seed, double drumLevel)
{
    double beat = 60.0 / bpm;
    cSound s(bars * 4 * beat);
    s.wrap = true;
    cNoise n(seed);
    for (const sNote& note : tune) {
        double f = Midi(note.midi);
        Brass(s, note.beat * beat, note.length * beat * 0.92, f, 0.16);
        Brass(s, note.beat * beat, note.length * beat * 0.92, f / 2, 0.07);
    }
    for (size_t h = 0; h < harmony.size(); h++) {
        double t = double(h) * 2 * beat;
        // Oom: the bass on the beat; pah: the chord on the next beat.
        s.Tone(t, beat * 0.8, Midi(harmony[h].bass), Midi(harmony[h].bass), 1, 0.34, 0.01, 0.08, 2.0);
        for (double note : harmony[h].chord)
            Brass(s, t + beat, beat * 0.35, Midi(note), 0.045);
    }
    // Drums: bass drum on 1 and 3, the snare's march figure, a roll into the last bar.
    for (int bar = 0; bar < bars; bar++) {
        double t = bar * 4 * beat;
        BassDrum(s, t, 0.5 * drumLevel, n);
        BassDrum(s, t + 2 * beat, 0.42 * drumLevel, n);
        const double snare[][2] = {{1, 0.32}, {1.75, 0.16}, {2, 0.2}, {3, 0.32}, {3.5, 0.16}, {3.75, 0.18}};
        for (const auto& hit : snare)
            Snare(s, t + hit[0] * beat, hit[1] * drumLevel, n);
        if (bar % 4 == 0)
            Cymbal(s, t, 0.14 * drumLevel, n);
        if (bar == bars - 1)
            for (int k = 0; k < 8; k++)
                Snare(s, t + 2 * beat + k * beat / 4, (0.12 + 0.025 * k) * drumLevel, n);
    }
    s.Reverb(0.25, 1.5);
    s.Normalise(0.85);
    return s;
}

sHalfBar Half(double bass, const double* chord) { return sHalfBar{bass, {chord[0], chord[1], chord[2]}}; }

const double kDm[3] = {50, 53, 57}, kF[3] = {53, 57, 60}, kGm[3] = {55, 58, 62}, kC[3] = {48, 52, 55},
             kA[3] = {49, 52, 57}, kAm[3] = {57, 60, 64}, kE[3] = {56, 59, 64}, kDm2[3] = {53, 57, 62};

// A soft pad: two detuned triangles with a slow swell.
void Pad(cSound& s, double t, double dur, double freq, double amp)
{
    s.Tone(t, dur, freq, freq, 1, amp, dur * 0.35, dur * 0.4);
    s.Tone(t, dur, freq * 1.004, freq * 1.004, 1, amp * 0.7, dur * 0.4, dur * 0.4);
}

} // namespace

cSound MainMenuMusic()
{
    // The tune: (start beat, length in beats, note).
    const std::vector<sNote> tune = {
        {0, 1, 62},     {1, 1, 69},      {2, 0.75, 69},   {2.75, 0.25, 69}, {3, 1, 70},  // bar 1
        {4, 1.5, 69},   {5.5, 0.5, 67},  {6, 1, 65},      {7, 1, 64},                    // bar 2
        {8, 1, 62},     {9, 0.75, 65},   {9.75, 0.25, 67}, {10, 1, 69},     {11, 1, 74}, // bar 3
        {12, 2, 72},    {14, 2, 69},                                                     // bar 4
        {16, 1, 70},    {17, 0.75, 69},  {17.75, 0.25, 67}, {18, 1, 65},    {19, 1, 67}, // bar 5
        {20, 1.5, 69},  {21.5, 0.5, 65}, {22, 1, 64},     {23, 1, 60},                   // bar 6
        {24, 1, 62},    {25, 0.75, 64},  {25.75, 0.25, 65}, {26, 1, 67},    {27, 1, 64}, // bar 7
        {28, 3, 62},                                                                     // bar 8
    };
    const std::vector<sHalfBar> harmony = {
        Half(38, kDm), Half(33, kDm), Half(38, kDm), Half(33, kA), Half(38, kDm), Half(33, kDm), Half(41, kF), Half(36, kF),
        Half(43, kGm), Half(38, kGm), Half(41, kF),  Half(36, kC), Half(43, kGm), Half(33, kA),  Half(38, kDm), Half(33, kDm),
    };
    return RenderMarch(120, kBars, tune, harmony, 1941, 1.0);
}

std::vector<sMusicTrack> GameMusicTracks()
{
    std::vector<sMusicTrack> tracks;
    {
        // "Column on the Road": a steadier march in A minor for the map.
        const std::vector<sNote> tune = {
            {0, 1.5, 69},  {1.5, 0.5, 71}, {2, 1, 72},    {3, 1, 76},    // bar 1
            {4, 2, 74},    {6, 1, 72},     {7, 1, 71},                   // bar 2
            {8, 1.5, 72},  {9.5, 0.5, 71}, {10, 1, 69},   {11, 1, 65},   // bar 3
            {12, 3, 64},                                                 // bar 4
            {16, 1.5, 69}, {17.5, 0.5, 71}, {18, 1, 72},  {19, 1, 74},   // bar 5
            {20, 2, 76},   {22, 1, 77},    {23, 1, 76},                  // bar 6
            {24, 1, 74},   {25, 1, 72},    {26, 1, 71},   {27, 1, 68},   // bar 7
            {28, 3, 69},                                                 // bar 8
        };
        const std::vector<sHalfBar> harmony = {
            Half(45, kAm), Half(40, kAm), Half(38, kDm2), Half(45, kDm2), Half(41, kF), Half(36, kDm2), Half(40, kE), Half(47, kE),
            Half(45, kAm), Half(40, kAm), Half(48, kC),   Half(43, kC),   Half(38, kDm2), Half(40, kE), Half(45, kAm), Half(40, kAm),
        };
        tracks.push_back({"column_on_the_road.wav", RenderMarch(104, 8, tune, harmony, 1943, 0.8)});
    }
    {
        // "Night Watch": a slow horn call over strings and distant timpani.
        constexpr double beat = 0.75;
        cSound s(8 * 4 * beat);
        s.wrap = true;
        cNoise n(1944);
        const double* chords[8] = {kAm, kAm, kF, kF, kDm2, kDm2, kE, kE};
        const double bass[8] = {45, 45, 41, 41, 38, 38, 40, 40};
        for (int bar = 0; bar < 8; bar++) {
            double t = bar * 4 * beat;
            for (int k = 0; k < 3; k++)
                Pad(s, t, 4 * beat + 0.4, Midi(chords[bar][k]), 0.07);
            Pad(s, t, 4 * beat + 0.4, Midi(bass[bar] - 12), 0.06);
            s.Tone(t, 1.6, Midi(bass[bar] - 12), Midi(bass[bar] - 12) * 0.97, 0, 0.3, 0.004, 0.3, 2.5);
            s.NoiseBurst(t, 0.5, cBiquad::kLowPass, 200, 120, 0.8, 0.18, 0.003, 6, n);
        }
        const sNote horn[] = {{0, 4, 69},  {4, 2, 72},  {6, 2, 71},  {8, 3, 69},  {11, 1, 64}, {12, 2, 65}, {14, 2, 69},
                              {16, 4, 72}, {20, 3, 74}, {23, 1, 72}, {24, 4, 69}, {28, 2, 71}, {30, 2, 68}};
        for (const sNote& note : horn)
            Brass(s, note.beat * beat + 0.02, note.length * beat * 0.95, Midi(note.midi), 0.09);
        for (int k = 0; k < 12; k++)
            s.Tone(7 * 4 * beat + 2 * beat + k * beat / 6, 0.4, 55, 53, 0, 0.08 + 0.015 * k, 0.003, 0.1, 6);
        s.Reverb(0.45, 2.0);
        s.Normalise(0.8);
        tracks.push_back({"night_watch.wav", std::move(s)});
    }
    return tracks;
}
