// Each generated sound keeps the character its name promises: controls click briefly, guns
// and explosions are heavy in the low end, engines sound throughout, marching and drums are
// made of many separate strokes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/tools/wave_reader.h"

using namespace wave_test;

namespace {

std::vector<double> Load(const std::string& name)
{
    auto bytes = ReadWholeFile(testing_support::SourceDir() / "data" / "sound" / (name + ".wav"));
    std::vector<double> x;
    if (!bytes)
        return x;
    auto wave = ParseWave(*bytes);
    if (!wave)
        return x;
    for (int16_t s : wave->samples)
        x.push_back(s / 32768.0);
    return x;
}

double Energy(const std::vector<double>& x, size_t from, size_t to)
{
    double e = 0;
    for (size_t i = from; i < to && i < x.size(); i++)
        e += x[i] * x[i];
    return e;
}

// RMS of consecutive windows of the given length in seconds.
std::vector<double> Envelope(const std::vector<double>& x, double window)
{
    size_t n = size_t(window * 22050);
    std::vector<double> env;
    for (size_t i = 0; i + n <= x.size(); i += n)
        env.push_back(std::sqrt(Energy(x, i, i + n) / n));
    return env;
}

// Share of the energy below about 300 Hz (a two-pole low-pass).
double LowShare(const std::vector<double>& x)
{
    double a = std::exp(-2 * M_PI * 300.0 / 22050), y1 = 0, y2 = 0, low = 0;
    for (double v : x) {
        y1 = (1 - a) * v + a * y1;
        y2 = (1 - a) * y1 + a * y2;
        low += y2 * y2;
    }
    return low / Energy(x, 0, x.size());
}

// Separate strokes: the 10 ms envelope rising through half its peak.
int Strokes(const std::vector<double>& x)
{
    auto env = Envelope(x, 0.01);
    double peak = *std::max_element(env.begin(), env.end());
    int strokes = 0;
    for (size_t i = 0; i < env.size(); i++)
        strokes += env[i] >= 0.5 * peak && (i == 0 || env[i - 1] < 0.5 * peak);
    return strokes;
}

} // namespace

TEST(SoundCharacter, ControlSoundsAreShortSharpClicks)
{
    for (const char* name : {"ButtonClick", "CheckboxChanged", "RadiobuttonChanged", "ItemClick", "ListboxSelection",
                             "SliderChanged", "EditboxChanged", "ComboboxChanged"}) {
        SCOPED_TRACE(name);
        auto x = Load(name);
        ASSERT_FALSE(x.empty());
        // Loud at once, and most of the sound is over within 50 ms.
        auto env = Envelope(x, 0.005);
        ASSERT_FALSE(env.empty());
        size_t loudest = std::max_element(env.begin(), env.end()) - env.begin();
        EXPECT_LE(loudest * 0.005, 0.045);
        EXPECT_GT(Energy(x, 0, size_t(0.05 * 22050)), 0.8 * Energy(x, 0, x.size()));
    }
    // The double click is two clicks.
    EXPECT_EQ(Strokes(Load("ListboxDoubleClick")), 2);
}

TEST(SoundCharacter, GunsAndExplosionsAreHeavyInTheLowEnd)
{
    for (const char* name : {"NavalGun", "NuclearAttack", "ShoreBombardment", "AirStrike", "LandCombat",
                             "StrategicBombardment", "TankRolling"}) {
        SCOPED_TRACE(name);
        auto x = Load(name);
        ASSERT_FALSE(x.empty());
        EXPECT_GT(LowShare(x), 0.4);
    }
    // And a click is not.
    EXPECT_LT(LowShare(Load("ButtonClick")), 0.1);
}

TEST(SoundCharacter, EnginesSoundThroughout)
{
    for (const char* name : {"PlaneFlying", "TankRolling", "TruckDriving", "AirToAirCombat", "StrategicDeployLand"}) {
        SCOPED_TRACE(name);
        auto env = Envelope(Load(name), 0.1);
        ASSERT_GT(env.size(), 10u);
        double peak = *std::max_element(env.begin(), env.end());
        // Leaving out the fades at both ends, no tenth of a second drops 20 dB below the peak.
        for (size_t i = env.size() / 6; i < env.size() - env.size() / 6; i++)
            EXPECT_GT(env[i], peak * 0.1) << "window " << i;
    }
}

TEST(SoundCharacter, MarchingAndDrumsAreManyStrokes)
{
    EXPECT_GE(Strokes(Load("InfantryMarching")), 8);
    EXPECT_GE(Strokes(Load("LandCombat")), 4);
    // The roll ends on a hit that is louder than the roll itself.
    auto env = Envelope(Load("drum_roll"), 0.05);
    ASSERT_GT(env.size(), 20u);
    double roll = *std::max_element(env.begin(), env.begin() + env.size() / 2);
    double hit = *std::max_element(env.begin() + env.size() * 3 / 4, env.end());
    EXPECT_GT(hit, roll * 1.5);
}
