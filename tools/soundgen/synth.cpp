#include "tools/soundgen/synth.h"

#include <algorithm>
#include <cmath>

float cNoise::White()
{
    m_State ^= m_State << 13;
    m_State ^= m_State >> 17;
    m_State ^= m_State << 5;
    return float((m_State & 0xFFFFFF) / double(0x7FFFFF) - 1.0);
}

float cNoise::Uniform() { return (White() + 1.0f) * 0.5f; }

cBiquad::cBiquad(eKind kind, double frequency, double q) { Set(kind, frequency, q); }

void cBiquad::Set(eKind kind, double frequency, double q)
{
    frequency = std::clamp(frequency, 10.0, kSampleRate * 0.45);
    double w = 2 * M_PI * frequency / kSampleRate, cw = std::cos(w), alpha = std::sin(w) / (2 * q);
    double a0 = 1 + alpha;
    switch (kind) {
    case kLowPass:
        m_B0 = (1 - cw) / 2;
        m_B1 = 1 - cw;
        m_B2 = (1 - cw) / 2;
        break;
    case kHighPass:
        m_B0 = (1 + cw) / 2;
        m_B1 = -(1 + cw);
        m_B2 = (1 + cw) / 2;
        break;
    case kBandPass:
        m_B0 = alpha;
        m_B1 = 0;
        m_B2 = -alpha;
        break;
    }
    m_B0 /= a0;
    m_B1 /= a0;
    m_B2 /= a0;
    m_A1 = -2 * cw / a0;
    m_A2 = (1 - alpha) / a0;
}

float cBiquad::Process(float x)
{
    double y = m_B0 * x + m_B1 * m_X1 + m_B2 * m_X2 - m_A1 * m_Y1 - m_A2 * m_Y2;
    m_X2 = m_X1;
    m_X1 = x;
    m_Y2 = m_Y1;
    m_Y1 = y;
    return float(y);
}

void cSound::Add(long i, float v)
{
    long n = long(m_Samples.size());
    if (wrap && n > 0)
        i %= n;
    if (i >= 0 && i < n)
        m_Samples[size_t(i)] += v;
}

namespace {

double Wave(int wave, double phase)
{
    double p = phase - std::floor(phase);
    switch (wave) {
    case 1:
        return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case 2:
        return 2 * p - 1;
    case 3:
        return p < 0.5 ? 1 : -1;
    default:
        return std::sin(2 * M_PI * p);
    }
}

double Envelope(double t, double dur, double attack, double release, double decay)
{
    if (t < 0 || t > dur)
        return 0;
    double e = 1;
    if (attack > 0 && t < attack)
        e = t / attack;
    if (release > 0 && t > dur - release)
        e *= std::max(0.0, (dur - t) / release);
    if (decay > 0)
        e *= std::exp(-decay * t);
    return e;
}

} // namespace

void cSound::Tone(double t, double dur, double f0, double f1, int wave, double amp, double attack, double release,
                  double decay)
{
    long start = long(t * kSampleRate), count = long(dur * kSampleRate);
    double phase = 0;
    for (long i = 0; i < count; i++) {
        double s = double(i) / kSampleRate;
        double f = f0 * std::pow(f1 / f0, s / dur);
        phase += f / kSampleRate;
        Add(start + i, float(amp * Envelope(s, dur, attack, release, decay) * Wave(wave, phase)));
    }
}

void cSound::NoiseBurst(double t, double dur, cBiquad::eKind kind, double f0, double f1, double q, double amp,
                        double attack, double decay, cNoise& noise)
{
    long start = long(t * kSampleRate), count = long(dur * kSampleRate);
    cBiquad filter(kind, f0, q);
    for (long i = 0; i < count; i++) {
        double s = double(i) / kSampleRate;
        if (f0 != f1 && i % 32 == 0)
            filter.Set(kind, f0 * std::pow(f1 / f0, s / dur), q);
        float x = filter.Process(noise.White());
        Add(start + i, float(amp * Envelope(s, dur, attack, std::min(0.01, dur / 4), decay) * x));
    }
}

void cSound::Click(double t, double pitch, double amp, double ring, cNoise& noise)
{
    NoiseBurst(t, 0.006, cBiquad::kHighPass, 1500, 1500, 0.7, amp * 0.9, 0.0003, 600, noise);
    Tone(t, ring, pitch, pitch * 0.97, 0, amp * 0.6, 0.0005, ring * 0.3, 5.0 / ring);
    Tone(t, ring * 0.6, pitch * 2.71, pitch * 2.6, 0, amp * 0.2, 0.0005, ring * 0.2, 8.0 / ring);
}

void cSound::Shot(double t, double size, double amp, cNoise& noise)
{
    // The crack: bright noise, very short.
    NoiseBurst(t, 0.05 + 0.1 * size, cBiquad::kHighPass, 1800 - 1200 * size, 1800 - 1200 * size, 0.7,
               amp * (0.8 - 0.3 * size), 0.0005, 60 - 40 * size, noise);
    // The body: low noise thump with a falling pitch tone.
    NoiseBurst(t, 0.25 + 1.2 * size, cBiquad::kLowPass, 1200 - 900 * size, 120, 0.8, amp * (0.7 + 0.4 * size), 0.001,
               14 - 10 * size, noise);
    Tone(t, 0.2 + 0.6 * size, 160 - 110 * size, 40, 0, amp * (0.3 + 0.5 * size), 0.002, 0.05, 10 - 6 * size);
}

void cSound::Explosion(double t, double size, double amp, cNoise& noise)
{
    NoiseBurst(t, 0.12, cBiquad::kHighPass, 900, 900, 0.7, amp * 0.6, 0.001, 30, noise);
    NoiseBurst(t, 0.6 + 2.4 * size, cBiquad::kLowPass, 900 - 500 * size, 60, 0.9, amp, 0.003, 5 - 3.5 * size, noise);
    Tone(t, 0.5 + 1.5 * size, 90 - 50 * size, 28, 0, amp * 0.7, 0.005, 0.2, 4 - 2.5 * size);
    // Debris and rumble after the blast.
    NoiseBurst(t + 0.05, 0.8 + 2 * size, cBiquad::kBandPass, 300, 120, 1.2, amp * 0.35, 0.15, 2.5 - size, noise);
}

void cSound::Engine(double t, double dur, double pulse0, double pulse1, double amp, double roughness, cNoise& noise)
{
    long start = long(t * kSampleRate), count = long(dur * kSampleRate);
    cBiquad body(cBiquad::kLowPass, pulse0 * 6, 0.9);
    cBiquad grit(cBiquad::kBandPass, 800, 1.0);
    double phase = 0;
    for (long i = 0; i < count; i++) {
        double s = double(i) / kSampleRate;
        double pulse = pulse0 + (pulse1 - pulse0) * s / dur;
        phase += pulse / kSampleRate;
        double p = phase - std::floor(phase);
        // Each firing: a sharp rise and exponential fall, with jitter from the noise.
        double firing = std::exp(-p * 7.0) * (1 + roughness * 0.5 * noise.White());
        if (i % 64 == 0)
            body.Set(cBiquad::kLowPass, pulse * 6, 0.9);
        double x = body.Process(float(firing - 0.14)) * 2.2 + grit.Process(noise.White()) * roughness * 0.35 * firing;
        Add(start + i, float(amp * Envelope(s, dur, 0.15, 0.25, 0) * x));
    }
}

void cSound::Bell(double t, double freq, double amp, double decay)
{
    const double ratios[] = {1.0, 2.76, 5.40, 8.93};
    const double levels[] = {1.0, 0.5, 0.25, 0.12};
    for (int k = 0; k < 4; k++)
        Tone(t, 4.0 / decay, freq * ratios[k], freq * ratios[k], 0, amp * levels[k], 0.001, 0.05, decay * (1 + k * 0.6));
}

void cSound::Reverb(double level, double size)
{
    // Four parallel feedback combs over the dry signal.
    const double delays[] = {0.0297, 0.0371, 0.0411, 0.0437};
    std::vector<float> dry = m_Samples, wet(m_Samples.size(), 0.0f);
    for (double d : delays) {
        size_t delay = size_t(d * size * kSampleRate);
        std::vector<float> line(m_Samples.size(), 0.0f);
        for (size_t i = 0; i < line.size(); i++) {
            float fed = i >= delay ? line[i - delay] : 0.0f;
            line[i] = dry[i] + 0.72f * fed;
            wet[i] += fed * 0.25f;
        }
    }
    cBiquad dull(cBiquad::kLowPass, 2500, 0.7);
    for (size_t i = 0; i < m_Samples.size(); i++)
        m_Samples[i] = dry[i] + float(level) * dull.Process(wet[i]);
}

void cSound::FadeEdges(double fadeIn, double fadeOut)
{
    size_t in = size_t(fadeIn * kSampleRate), out = size_t(fadeOut * kSampleRate), n = m_Samples.size();
    for (size_t i = 0; i < in && i < n; i++)
        m_Samples[i] *= float(i) / float(in);
    for (size_t i = 0; i < out && i < n; i++)
        m_Samples[n - 1 - i] *= float(i) / float(out);
}

void cSound::Normalise(double peak)
{
    cBiquad dc(cBiquad::kHighPass, 25, 0.7);
    for (float& s : m_Samples)
        s = dc.Process(s);
    float loudest = 0;
    for (float s : m_Samples)
        loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0)
        for (float& s : m_Samples)
            s = float(s * peak / loudest);
}

std::string EncodeWave(const cSound& sound)
{
    const auto& samples = sound.Samples();
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::string out;
    auto u32 = [&](uint32_t v) {
        for (int k = 0; k < 4; k++)
            out.push_back(char((v >> (8 * k)) & 0xFF));
    };
    auto u16 = [&](uint16_t v) {
        out.push_back(char(v & 0xFF));
        out.push_back(char(v >> 8));
    };
    out += "RIFF";
    u32(36 + dataBytes);
    out += "WAVE";
    out += "fmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kSampleRate);
    u32(kSampleRate * 2);
    u16(2);
    u16(16);
    out += "data";
    u32(dataBytes);
    for (float s : samples) {
        long v = std::lround(double(std::clamp(s, -1.0f, 1.0f)) * 32767.0);
        u16(uint16_t(int16_t(v)));
    }
    return out;
}
