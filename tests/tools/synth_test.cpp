// The sound generator's building blocks: filters pass and stop what they should, loops fold
// their tails onto the start, normalising never clips, and the WAVE encoder writes what a
// reader expects.
#include <gtest/gtest.h>

#include <cmath>

// The synthesiser belongs to the sound tool, not to the game library; it is compiled in here.
#include "tests/tools/wave_reader.h"
#include "tools/soundgen/synth.cpp"

using namespace wave_test;

namespace {

double Rms(const std::vector<float>& x, size_t from = 0)
{
    double e = 0;
    for (size_t i = from; i < x.size(); i++)
        e += double(x[i]) * x[i];
    return std::sqrt(e / double(x.size() - from));
}

// RMS of a sine of the given frequency after the filter (the first 0.1 s left out).
double Through(cBiquad filter, double frequency)
{
    std::vector<float> out;
    for (int i = 0; i < kSampleRate / 2; i++)
        out.push_back(filter.Process(float(std::sin(2 * M_PI * frequency * i / kSampleRate))));
    return Rms(out, kSampleRate / 10) * std::sqrt(2.0);
}

} // namespace

TEST(Synth, FiltersPassAndStopTheirBands)
{
    EXPECT_NEAR(Through(cBiquad(cBiquad::kLowPass, 500, 0.707), 100), 1.0, 0.05);
    EXPECT_LT(Through(cBiquad(cBiquad::kLowPass, 500, 0.707), 5000), 0.02);
    EXPECT_LT(Through(cBiquad(cBiquad::kHighPass, 2000, 0.707), 100), 0.01);
    EXPECT_NEAR(Through(cBiquad(cBiquad::kHighPass, 2000, 0.707), 8000), 1.0, 0.05);
    EXPECT_NEAR(Through(cBiquad(cBiquad::kBandPass, 1000, 1.0), 1000), 1.0, 0.05);
    EXPECT_LT(Through(cBiquad(cBiquad::kBandPass, 1000, 1.0), 8000), 0.2);
    // A cutoff beyond what the rate can hold is clamped instead of going unstable.
    double high = Through(cBiquad(cBiquad::kLowPass, 50000, 0.707), 1000);
    EXPECT_TRUE(std::isfinite(high));
    EXPECT_NEAR(high, 1.0, 0.1);
}

TEST(Synth, NoiseIsRepeatableAndInRange)
{
    cNoise a(7), b(7), c(8);
    bool differs = false;
    double sum = 0;
    for (int i = 0; i < 10000; i++) {
        float x = a.White();
        EXPECT_EQ(x, b.White());
        differs |= x != c.White();
        ASSERT_GE(x, -1.0f);
        ASSERT_LE(x, 1.0f);
        sum += x;
    }
    EXPECT_TRUE(differs);
    EXPECT_NEAR(sum / 10000, 0.0, 0.05);
}

TEST(Synth, LoopsFoldTailsOntoTheStart)
{
    cSound plain(1.0), loop(1.0);
    loop.wrap = true;
    plain.Tone(0.9, 0.3, 440, 440, 0, 0.5, 0.0, 0.0);
    loop.Tone(0.9, 0.3, 440, 440, 0, 0.5, 0.0, 0.0);
    // Without wrapping the tail is cut; with it the last 0.2 s sound at the start.
    EXPECT_EQ(Rms(std::vector<float>(plain.Samples().begin(), plain.Samples().begin() + kSampleRate / 10)), 0.0);
    EXPECT_GT(Rms(std::vector<float>(loop.Samples().begin(), loop.Samples().begin() + kSampleRate / 10)), 0.3);
}

TEST(Synth, NormaliseRemovesOffsetAndHitsThePeakExactly)
{
    cSound s(1.0);
    for (float& x : s.Samples())
        x = 3.0f; // far beyond full scale, and all offset
    s.Tone(0.0, 1.0, 200, 200, 0, 2.0, 0.0, 0.0);
    s.Normalise(0.9);
    float peak = 0;
    double mean = 0;
    for (float x : s.Samples()) {
        peak = std::max(peak, std::fabs(x));
        mean += x;
    }
    EXPECT_NEAR(peak, 0.9f, 1e-5);
    mean /= double(s.Size());
    EXPECT_NEAR(mean, 0.0, 0.01);
    cSound silent(0.1);
    silent.Normalise(0.9); // nothing to scale: stays silent, no division by zero
    EXPECT_EQ(Rms(silent.Samples()), 0.0);
}

TEST(Synth, WaveEncodingRoundTrips)
{
    cSound s(0.01);
    auto& x = s.Samples();
    x[0] = 1.0f;
    x[1] = -1.0f;
    x[2] = 2.0f;  // clamped
    x[3] = -2.0f; // clamped
    x[4] = 0.5f;
    auto wave = ParseWave(EncodeWave(s));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->format, 1);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->rate, kSampleRate);
    EXPECT_EQ(wave->bits, 16);
    ASSERT_EQ(wave->samples.size(), s.Size());
    EXPECT_EQ(wave->samples[0], 32767);
    EXPECT_EQ(wave->samples[1], -32767);
    EXPECT_EQ(wave->samples[2], 32767);
    EXPECT_EQ(wave->samples[3], -32767);
    EXPECT_EQ(wave->samples[4], 16384);
    EXPECT_EQ(wave->samples[5], 0);
}
