// The recipes of the sound effects: GUI clicks, the intro stings, and the sounds of war.
#include "tools/soundgen/effects.h"

#include <cmath>
#include <iterator>
#include <string>

namespace {

using B = cBiquad;

// ---- GUI ----

cSound ButtonClick(cNoise& n)
{
    cSound s(0.09);
    s.Click(0.0, 1900, 0.8, 0.05, n);
    s.Click(0.018, 1200, 0.35, 0.04, n);
    return s;
}

cSound CheckboxChanged(cNoise& n)
{
    // A switch: click down, click home.
    cSound s(0.1);
    s.Click(0.0, 2600, 0.6, 0.03, n);
    s.Click(0.035, 3200, 0.7, 0.035, n);
    return s;
}

cSound RadiobuttonChanged(cNoise& n)
{
    cSound s(0.1);
    s.Click(0.0, 2200, 0.7, 0.04, n);
    s.Tone(0.0, 0.08, 1400, 1750, 0, 0.2, 0.002, 0.03, 30);
    return s;
}

cSound ComboboxChanged(cNoise& n)
{
    // A wooden tock with a short rattle, as a selector dropping into a notch.
    cSound s(0.16);
    s.Tone(0.0, 0.12, 820, 760, 0, 0.6, 0.001, 0.05, 45);
    s.NoiseBurst(0.0, 0.02, B::kBandPass, 2500, 2500, 1.5, 0.5, 0.0005, 150, n);
    s.Click(0.05, 2400, 0.3, 0.03, n);
    return s;
}

cSound EditboxChanged(cNoise& n)
{
    // A typewriter key.
    cSound s(0.08);
    s.NoiseBurst(0.0, 0.012, B::kBandPass, 3500, 3500, 1.2, 0.8, 0.0003, 250, n);
    s.Tone(0.0, 0.05, 3100, 3000, 0, 0.15, 0.001, 0.02, 80);
    s.NoiseBurst(0.015, 0.04, B::kLowPass, 400, 400, 0.8, 0.5, 0.001, 90, n);
    return s;
}

cSound EditboxString(cNoise& n)
{
    // The carriage bell and the return lever.
    cSound s(0.7);
    s.NoiseBurst(0.0, 0.05, B::kBandPass, 1500, 1500, 1.0, 0.4, 0.001, 60, n);
    s.Bell(0.02, 2100, 0.5, 6);
    return s;
}

cSound ItemClick(cNoise& n)
{
    cSound s(0.07);
    s.Click(0.0, 1500, 0.7, 0.04, n);
    return s;
}

cSound ListboxDoubleClick(cNoise& n)
{
    cSound s(0.15);
    s.Click(0.0, 1700, 0.7, 0.04, n);
    s.Click(0.07, 2000, 0.75, 0.045, n);
    return s;
}

cSound ListboxSelection(cNoise& n)
{
    cSound s(0.07);
    s.Click(0.0, 1250, 0.6, 0.045, n);
    s.NoiseBurst(0.0, 0.03, B::kLowPass, 700, 700, 0.8, 0.3, 0.001, 120, n);
    return s;
}

cSound Scrolling(cNoise& n)
{
    // A ratchet: three small teeth.
    cSound s(0.16);
    for (int k = 0; k < 3; k++)
        s.Click(0.04 * k, 2800 - 200 * k, 0.45, 0.02, n);
    return s;
}

cSound SliderChanged(cNoise& n)
{
    cSound s(0.05);
    s.Click(0.0, 3400, 0.5, 0.025, n);
    return s;
}

cSound Buying(cNoise& n)
{
    // A cash register: keys, the drawer's clunk and its bell.
    cSound s(1.0);
    s.Click(0.0, 1800, 0.5, 0.03, n);
    s.Click(0.07, 1900, 0.5, 0.03, n);
    s.NoiseBurst(0.15, 0.12, B::kLowPass, 600, 300, 0.9, 0.9, 0.002, 30, n);
    s.Tone(0.15, 0.12, 180, 120, 0, 0.5, 0.002, 0.04, 25);
    s.Bell(0.2, 2600, 0.55, 4.5);
    s.Bell(0.2, 3300, 0.25, 5.5);
    return s;
}

// ---- The intro ----

cSound IntroSoundLogo(cNoise& n)
{
    // A deep orchestral stroke: low gong, timpani and a soft string chord.
    cSound s(3.2);
    s.Tone(0.0, 3.0, 55, 54, 0, 0.6, 0.005, 0.5, 1.4);
    s.Tone(0.0, 3.0, 110, 109, 1, 0.25, 0.01, 0.5, 1.6);
    s.Bell(0.0, 140, 0.3, 1.3);
    s.NoiseBurst(0.0, 0.8, B::kLowPass, 300, 120, 0.9, 0.6, 0.002, 5, n);
    const double chord[] = {146.8, 174.6, 220.0, 293.7};
    for (double f : chord)
        s.Tone(0.1, 2.9, f, f, 1, 0.09, 0.6, 1.2, 0.3);
    s.Reverb(0.5, 1.6);
    return s;
}

cSound IntroSoundGameLogo(cNoise& n)
{
    // A brass fanfare over a timpani roll, ending on a major chord.
    cSound s(4.2);
    for (int k = 0; k < 24; k++)
        s.Tone(0.05 * k, 0.3, 73, 70, 0, 0.12 + 0.012 * k, 0.003, 0.05, 10);
    const double notes[][3] = {{0.0, 0.18, 293.7}, {0.2, 0.18, 293.7}, {0.4, 0.18, 293.7}, {0.6, 0.55, 392.0},
                               {1.2, 0.35, 440.0}, {1.6, 1.6, 587.3}};
    for (const auto& note : notes) {
        s.Tone(note[0], note[1], note[2], note[2], 2, 0.18, 0.02, 0.08, 0.4);
        s.Tone(note[0], note[1], note[2] * 2, note[2] * 2, 1, 0.06, 0.03, 0.08, 0.6);
    }
    const double chord[] = {146.8, 293.7, 370.0, 440.0};
    for (double f : chord)
        s.Tone(1.6, 2.5, f, f, 2, 0.09, 0.05, 1.2, 0.5);
    s.Tone(1.6, 2.0, 73, 70, 0, 0.6, 0.003, 0.5, 2.0);
    s.NoiseBurst(1.6, 2.2, B::kHighPass, 5000, 5000, 0.7, 0.18, 0.003, 2.2, n);
    s.Reverb(0.45, 1.4);
    return s;
}

// ---- Land ----

cSound InfantryMarching(cNoise& n)
{
    // A column in step: heavy boots on gravel, a few men slightly out of time, kit rattling.
    cSound s(3.0);
    for (int step = 0; step < 11; step++) {
        double t = 0.1 + step * 0.26;
        for (int man = 0; man < 4; man++) {
            double dt = t + 0.012 * man + 0.01 * n.Uniform();
            s.NoiseBurst(dt, 0.09, B::kLowPass, 500, 250, 0.8, 0.5, 0.002, 45, n);
            s.NoiseBurst(dt + 0.005, 0.07, B::kBandPass, 2500, 1800, 0.9, 0.18, 0.004, 40, n);
        }
        if (step % 2 == 0)
            s.Click(t + 0.06, 4200, 0.05, 0.03, n);
    }
    s.FadeEdges(0.3, 0.4);
    return s;
}

cSound LandCombat(cNoise& n)
{
    // Rifle fire, a machine-gun burst and two shell bursts.
    cSound s(2.6);
    const double rifles[] = {0.05, 0.32, 0.41, 0.9, 1.25, 1.62, 2.05};
    for (double t : rifles)
        s.Shot(t, 0.05, 0.5, n);
    for (int k = 0; k < 9; k++)
        s.Shot(0.55 + k * 0.07, 0.0, 0.35, n);
    s.Explosion(0.2, 0.45, 0.8, n);
    s.Explosion(1.4, 0.6, 0.9, n);
    s.Reverb(0.3, 2.0);
    s.FadeEdges(0.002, 0.3);
    return s;
}

cSound TankRolling(cNoise& n)
{
    // A diesel rumble and the clank of the tracks.
    cSound s(3.0);
    s.Engine(0.0, 3.0, 24, 28, 0.8, 0.6, n);
    for (int k = 0; k < 26; k++) {
        double t = 0.12 + k * 0.11;
        s.Click(t, 900 + 60 * (k % 3), 0.3, 0.05, n);
        s.NoiseBurst(t, 0.03, B::kBandPass, 1800, 1800, 2.0, 0.22, 0.001, 80, n);
    }
    s.NoiseBurst(0.0, 3.0, B::kLowPass, 180, 180, 0.7, 0.25, 0.3, 0, n);
    s.FadeEdges(0.25, 0.4);
    return s;
}

cSound TruckDriving(cNoise& n)
{
    // A petrol engine pulling away, a gear change, tyres on the road.
    cSound s(2.8);
    s.Engine(0.0, 1.3, 32, 52, 0.7, 0.35, n);
    s.Engine(1.2, 1.6, 38, 50, 0.7, 0.35, n);
    s.NoiseBurst(0.0, 2.8, B::kBandPass, 700, 900, 0.8, 0.12, 0.4, 0, n);
    s.Click(1.22, 600, 0.15, 0.05, n);
    s.FadeEdges(0.2, 0.4);
    return s;
}

cSound StrategicDeployLand(cNoise& n)
{
    // A steam train: chuffs gathering speed, then the whistle.
    cSound s(3.2);
    double t = 0.05, gap = 0.34;
    while (t < 3.0) {
        s.NoiseBurst(t, 0.16, B::kBandPass, 900, 500, 0.8, 0.55, 0.01, 18, n);
        s.NoiseBurst(t, 0.08, B::kLowPass, 250, 250, 0.8, 0.3, 0.005, 30, n);
        t += gap;
        gap = std::max(0.16, gap * 0.93);
    }
    for (int k = 0; k < 14; k++)
        s.Click(0.2 + k * 0.2, 700, 0.08, 0.04, n);
    // The rumble of the wheels and the hiss of steam under it all.
    s.NoiseBurst(0.0, 3.2, B::kLowPass, 220, 220, 0.8, 0.35, 0.3, 0, n);
    s.NoiseBurst(0.0, 3.2, B::kHighPass, 4000, 4000, 0.7, 0.04, 0.5, 0, n);
    s.Tone(1.7, 1.2, 660, 650, 1, 0.16, 0.06, 0.3, 0);
    s.Tone(1.7, 1.2, 784, 775, 1, 0.12, 0.06, 0.3, 0);
    s.FadeEdges(0.05, 0.4);
    return s;
}

// ---- Air ----

// A piston aircraft passing: engine drone with a Doppler fall and a swell in loudness.
void PlanePass(cSound& s, double t, double dur, double pitch, double amp, cNoise& n)
{
    cSound engine(dur);
    engine.Engine(0.0, dur, pitch * 1.12, pitch * 0.86, 1.0, 0.4, n);
    engine.Tone(0.0, dur, pitch * 2.24, pitch * 1.72, 2, 0.25, 0.1, 0.2);
    engine.NoiseBurst(0.0, dur, B::kBandPass, 1200, 900, 0.7, 0.3, 0.1, 0, n);
    auto& e = engine.Samples();
    for (size_t i = 0; i < e.size(); i++) {
        double x = double(i) / e.size();
        double swell = std::exp(-std::pow((x - 0.45) / 0.28, 2));
        s.Add(long(t * kSampleRate) + long(i), float(e[i] * amp * (0.15 + 0.85 * swell)));
    }
}

cSound PlaneFlying(cNoise& n)
{
    cSound s(3.2);
    PlanePass(s, 0.0, 3.2, 70, 0.9, n);
    s.FadeEdges(0.3, 0.5);
    return s;
}

cSound AirToAirCombat(cNoise& n)
{
    // Two fighters diving past each other, machine guns in bursts.
    cSound s(2.8);
    PlanePass(s, 0.0, 2.8, 85, 0.6, n);
    PlanePass(s, 0.3, 2.4, 96, 0.5, n);
    for (int burst = 0; burst < 3; burst++)
        for (int k = 0; k < 8; k++)
            s.Shot(0.5 + burst * 0.65 + k * 0.055, 0.0, 0.28, n);
    s.FadeEdges(0.2, 0.4);
    return s;
}

cSound AirStrike(cNoise& n)
{
    // A dive bomber's scream, the falling bomb, the blast.
    cSound s(3.2);
    PlanePass(s, 0.0, 1.6, 95, 0.4, n);
    s.Tone(0.2, 1.1, 1400, 700, 0, 0.28, 0.3, 0.05, 0);
    s.Tone(0.2, 1.1, 1420, 705, 1, 0.08, 0.3, 0.05, 0);
    s.Explosion(1.3, 0.7, 1.0, n);
    s.Reverb(0.25, 2.2);
    s.FadeEdges(0.1, 0.4);
    return s;
}

cSound StrategicBombardment(cNoise& n)
{
    // A bomber stream overhead and a carpet of distant explosions.
    cSound s(3.8);
    PlanePass(s, 0.0, 3.8, 55, 0.45, n);
    PlanePass(s, 0.2, 3.6, 61, 0.35, n);
    for (int k = 0; k < 9; k++)
        s.Explosion(0.9 + k * 0.27 + 0.05 * n.Uniform(), 0.55, 0.55 + 0.05 * (k % 3), n);
    s.Reverb(0.35, 2.5);
    s.FadeEdges(0.3, 0.5);
    return s;
}

cSound AirRecon(cNoise& n)
{
    // A single aircraft over the lines and the click of the camera shutter.
    cSound s(2.8);
    PlanePass(s, 0.0, 2.8, 78, 0.7, n);
    for (int k = 0; k < 3; k++) {
        s.Click(0.9 + k * 0.35, 3000, 0.4, 0.02, n);
        s.Click(0.93 + k * 0.35, 2400, 0.3, 0.02, n);
    }
    s.FadeEdges(0.3, 0.5);
    return s;
}

cSound Paradrop(cNoise& n)
{
    // Transport engines, then canopies snapping open one after another.
    cSound s(3.0);
    PlanePass(s, 0.0, 3.0, 62, 0.5, n);
    for (int k = 0; k < 4; k++) {
        double t = 0.8 + k * 0.42;
        s.NoiseBurst(t, 0.35, B::kBandPass, 300, 900, 1.2, 0.7, 0.08, 6, n);
        s.NoiseBurst(t + 0.25, 0.06, B::kLowPass, 500, 500, 0.8, 0.5, 0.002, 50, n);
    }
    s.FadeEdges(0.3, 0.5);
    return s;
}

cSound NuclearAttack(cNoise& n)
{
    // A blinding crack, a huge low roar and a long rumble that rolls away.
    cSound s(5.0);
    s.NoiseBurst(0.0, 0.3, B::kHighPass, 1200, 1200, 0.7, 0.5, 0.001, 12, n);
    s.NoiseBurst(0.0, 4.8, B::kLowPass, 500, 50, 0.9, 1.0, 0.05, 0.8, n);
    s.Tone(0.0, 4.5, 50, 25, 0, 0.8, 0.02, 1.0, 0.7);
    s.NoiseBurst(0.3, 4.5, B::kBandPass, 160, 70, 1.0, 0.5, 0.8, 0.6, n);
    s.Reverb(0.4, 3.0);
    s.FadeEdges(0.001, 0.8);
    return s;
}

// ---- Sea ----

void Waves(cSound& s, double t, double dur, double amp, cNoise& n)
{
    for (double w = t; w < t + dur; w += 0.9)
        s.NoiseBurst(w, 1.2, B::kLowPass, 400, 1400, 0.7, amp, 0.5, 2.2, n);
}

cSound NavalGun(cNoise& n)
{
    cSound s(2.4);
    s.Shot(0.0, 1.0, 1.0, n);
    s.Tone(0.0, 0.6, 70, 30, 0, 0.5, 0.002, 0.2, 4);
    s.Reverb(0.55, 3.5);
    s.FadeEdges(0.001, 0.5);
    return s;
}

cSound ShoreBombardment(cNoise& n)
{
    // A salvo from the sea, the whistle of the shells, the impacts ashore.
    cSound s(3.4);
    s.Shot(0.0, 0.9, 0.8, n);
    s.Shot(0.12, 0.9, 0.7, n);
    s.Tone(0.5, 0.9, 900, 500, 0, 0.12, 0.2, 0.05, 0);
    s.Explosion(1.4, 0.6, 0.8, n);
    s.Explosion(1.6, 0.55, 0.7, n);
    s.Explosion(1.9, 0.5, 0.6, n);
    s.Reverb(0.4, 3.0);
    s.FadeEdges(0.001, 0.5);
    return s;
}

cSound Invasion(cNoise& n)
{
    // Surf, landing craft engines, ramps dropping and gunfire up the beach.
    cSound s(3.4);
    Waves(s, 0.0, 3.0, 0.45, n);
    s.Engine(0.0, 3.4, 40, 36, 0.45, 0.5, n);
    s.NoiseBurst(1.2, 0.15, B::kLowPass, 400, 200, 0.8, 0.7, 0.002, 20, n);
    s.Click(1.2, 500, 0.3, 0.08, n);
    for (int k = 0; k < 6; k++)
        s.Shot(1.5 + k * 0.22, 0.05, 0.3, n);
    s.Explosion(2.0, 0.5, 0.6, n);
    s.FadeEdges(0.4, 0.5);
    return s;
}

// ---- Drums ----

cSound DrumRoll(cNoise& n)
{
    // A snare roll that swells and ends on a hit.
    cSound s(2.6);
    double t = 0.0;
    int k = 0;
    while (t < 2.0) {
        double level = 0.15 + 0.45 * t / 2.0;
        s.NoiseBurst(t, 0.06, B::kBandPass, 2200, 2000, 0.9, level, 0.001, 45, n);
        s.Tone(t, 0.04, 200, 180, 0, level * 0.3, 0.001, 0.01, 60);
        t += 0.045 + ((k++ % 2) ? 0.004 : 0.0);
    }
    s.NoiseBurst(2.0, 0.5, B::kBandPass, 2200, 1800, 0.8, 0.8, 0.001, 8, n);
    s.Tone(2.0, 0.5, 70, 50, 0, 0.7, 0.002, 0.1, 8);
    s.NoiseBurst(2.0, 0.6, B::kHighPass, 5000, 5000, 0.7, 0.3, 0.002, 5, n);
    s.Reverb(0.3, 1.5);
    return s;
}

// The recipe of every slot; GUI sounds stay crisp and quieter than the war.
struct sRecipe
{
    cSound (*make)(cNoise&);
    bool gui;
};

const sRecipe kRecipes[] = {
    {AirStrike, false},
    {AirToAirCombat, false},
    {ButtonClick, true},
    {CheckboxChanged, true},
    {ComboboxChanged, true},
    {EditboxChanged, true},
    {EditboxString, true},
    {InfantryMarching, false},
    {IntroSoundGameLogo, false},
    {IntroSoundLogo, false},
    {ItemClick, true},
    {LandCombat, false},
    {ListboxDoubleClick, true},
    {ListboxSelection, true},
    {nullptr, false}, // the main menu music, made apart
    {NuclearAttack, false},
    {PlaneFlying, false},
    {RadiobuttonChanged, true},
    {Scrolling, true},
    {ShoreBombardment, false},
    {SliderChanged, true},
    {StrategicBombardment, false},
    {TankRolling, false},
    {TruckDriving, false},
    {DrumRoll, false},
    {NavalGun, false},
    {AirRecon, false},
    {StrategicDeployLand, false},
    {Paradrop, false},
    {Invasion, false},
    {Buying, true},
};

} // namespace

cSound MakeEffect(int slot)
{
    if (slot == 14)
        return MainMenuMusic();
    cNoise n(uint32_t(0x9E3779B9u * uint32_t(slot + 1)));
    const bool known = slot >= 0 && size_t(slot) < std::size(kRecipes);
    cSound s = known ? kRecipes[slot].make(n) : cSound(0.1);
    s.FadeEdges(0.0005, 0.004);
    s.Normalise(known && kRecipes[slot].gui ? 0.6 : 0.89);
    return s;
}
