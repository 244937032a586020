#pragma once
// A small deterministic synthesiser: oscillators, noise, filters and envelopes mixed into a
// mono buffer, and the few composite sounds (clicks, shots, explosions, engines) that the
// effects are built from.
#include <cstdint>
#include <string>
#include <vector>

constexpr int kSampleRate = 22050;

// Noise from a fixed seed (xorshift), so every run writes the same bytes.
class cNoise {
public:
    explicit cNoise(uint32_t seed) : m_State(seed ? seed : 1) {}
    float White(); // -1 to 1
    float Uniform(); // 0 to 1

private:
    uint32_t m_State;
};

// RBJ biquad filter.
class cBiquad {
public:
    enum eKind { kLowPass, kHighPass, kBandPass };
    cBiquad(eKind kind, double frequency, double q);
    void Set(eKind kind, double frequency, double q);
    float Process(float x);

private:
    double m_B0 = 1, m_B1 = 0, m_B2 = 0, m_A1 = 0, m_A2 = 0;
    double m_X1 = 0, m_X2 = 0, m_Y1 = 0, m_Y2 = 0;
};

class cSound {
public:
    explicit cSound(double seconds) : m_Samples(size_t(seconds * kSampleRate + 0.5), 0.0f) {}
    size_t Size() const { return m_Samples.size(); }
    double Seconds() const { return double(m_Samples.size()) / kSampleRate; }
    std::vector<float>& Samples() { return m_Samples; }
    const std::vector<float>& Samples() const { return m_Samples; }
    // Adds a sample at index i when it lies inside the sound; with wrap, indices past the end
    // continue from the start (for seamless loops).
    void Add(long i, float v);
    bool wrap = false;

    // A short click: a noise transient and a decaying ring at the given pitch.
    void Click(double t, double pitch, double amp, double ring, cNoise& noise);
    // A tone whose pitch glides exponentially from f0 to f1; wave 0 sine, 1 triangle, 2 saw,
    // 3 square; attack and release in seconds, decay per second (0: hold).
    void Tone(double t, double dur, double f0, double f1, int wave, double amp, double attack, double release,
              double decay = 0);
    // Filtered noise with an attack and an exponential decay.
    void NoiseBurst(double t, double dur, cBiquad::eKind kind, double f0, double f1, double q, double amp,
                    double attack, double decay, cNoise& noise);
    // A shot: sharp crack and a body; size 0 (rifle) to 1 (heavy gun).
    void Shot(double t, double size, double amp, cNoise& noise);
    // An explosion: crack, low boom and rumbling debris; size 0 to 1.
    void Explosion(double t, double size, double amp, cNoise& noise);
    // An engine: a pulsing low tone with harmonics and grit; rpm in firing pulses per second.
    void Engine(double t, double dur, double pulse0, double pulse1, double amp, double roughness, cNoise& noise);
    // A bell or ring with inharmonic partials.
    void Bell(double t, double freq, double amp, double decay);

    // A room: a few feedback echoes, mixed in at the given level.
    void Reverb(double level, double size);
    void FadeEdges(double fadeIn, double fadeOut);
    // Removes any DC and scales the loudest sample to peak (below 1: no clipping).
    void Normalise(double peak);

private:
    std::vector<float> m_Samples;
};

// 16-bit mono PCM WAVE file bytes.
std::string EncodeWave(const cSound& sound);
