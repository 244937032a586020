// The credits music: a slow hymn in D major for strings and horn over timpani, sixteen
// seconds that fade out with the last picture.
#include <cmath>

#include "tools/moviegen/movies.h"
#include "tools/soundgen/synth.h"

namespace {

double Midi(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Strings: two detuned triangles that swell and fade.
void Strings(cSound& s, double t, double dur, double note, double amp)
{
    const double f = Midi(note);
    s.Tone(t, dur, f, f, 1, amp, dur * 0.3, dur * 0.35);
    s.Tone(t, dur, f * 1.003, f * 1.003, 1, amp * 0.7, dur * 0.35, dur * 0.35);
}

// A horn: a soft saw an octave down under a triangle.
void Horn(cSound& s, double t, double dur, double note, double amp)
{
    const double f = Midi(note);
    s.Tone(t, dur, f, f, 1, amp, 0.08, 0.25);
    s.Tone(t, dur, f / 2, f / 2, 2, amp * 0.18, 0.1, 0.25);
}

void Timpani(cSound& s, double t, double note, double amp)
{
    s.Tone(t, 1.4, Midi(note), Midi(note) * 0.98, 0, amp, 0.004, 0.3, 2.6);
}

} // namespace

std::vector<float> CreditsMusic()
{
    cSound s(CreditsSeconds());
    // D, Bm, G, A, D, G, A, D: two seconds each.
    const double chords[8][3] = {{62, 66, 69}, {59, 62, 66}, {55, 59, 62}, {57, 61, 64},
                                 {62, 66, 69}, {55, 59, 62}, {57, 61, 64}, {62, 66, 69}};
    const double bass[8] = {38, 35, 43, 45, 38, 43, 45, 38};
    for (int c = 0; c < 8; c++) {
        const double t = c * 2.0;
        for (double note : chords[c])
            Strings(s, t, 2.3, note, 0.06);
        Strings(s, t, 2.3, bass[c], 0.09);
        Timpani(s, t, bass[c] - 12 + 12, 0.22);
    }
    // The horn's tune: (start, length, note).
    const double tune[][3] = {{0.0, 1.5, 74}, {1.5, 0.5, 73}, {2.0, 1.0, 71}, {3.0, 1.0, 69}, {4.0, 1.5, 67},
                              {5.5, 0.5, 69}, {6.0, 2.0, 73}, {8.0, 1.5, 74}, {9.5, 0.5, 76}, {10.0, 1.0, 74},
                              {11.0, 1.0, 71}, {12.0, 1.0, 69}, {13.0, 1.0, 73}, {14.0, 2.0, 74}};
    for (const auto& n : tune)
        Horn(s, n[0] + 0.02, n[1] * 0.95, n[2], 0.12);
    s.Bell(14.0, Midi(86), 0.08, 1.5);
    s.Reverb(0.4, 1.8);
    s.FadeEdges(0.3, 1.5);
    s.Normalise(0.8);
    return s.Samples();
}
