// The committed sound effects under data/sound/ and the music under data/Music/: each is a
// valid WAVE file the sound layer can load, audible, unclipped and of a sensible length, and
// the generator still writes the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/tools/wave_reader.h"
#include "shell/sound_effects.h"

namespace fs = std::filesystem;
using sound_effects::kEffectCount;
using sound_effects::kEffects;
using namespace wave_test;

namespace {

bool IsGuiSound(const std::string& name)
{
    static const std::set<std::string> gui = {"ButtonClick",      "CheckboxChanged",    "ComboboxChanged",
                                              "EditboxChanged",   "ItemClick",          "ListboxDoubleClick",
                                              "ListboxSelection", "RadiobuttonChanged", "Scrolling",
                                              "SliderChanged"};
    return gui.count(name) > 0;
}

fs::path SoundDir() { return testing_support::SourceDir() / "data" / "sound"; }
fs::path MusicDir() { return testing_support::SourceDir() / "data" / "Music"; }

} // namespace

TEST(SoundEffects, EveryEffectIsAnAudibleUnclippedWave)
{
    for (int slot = 0; slot < kEffectCount; slot++) {
        std::string name = kEffects[slot].name;
        SCOPED_TRACE(name);
        auto bytes = ReadWholeFile(SoundDir() / (name + ".wav"));
        ASSERT_TRUE(bytes) << "missing";
        auto wave = ParseWave(*bytes);
        ASSERT_TRUE(wave) << "not a WAVE file";
        EXPECT_EQ(wave->format, 1);
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->rate, 22050);
        EXPECT_EQ(wave->bits, 16);
        ASSERT_FALSE(wave->samples.empty());

        double sum = 0;
        int peak = 0, clipped = 0;
        for (int16_t s : wave->samples) {
            sum += double(s) * s;
            peak = std::max(peak, std::abs(int(s)));
            clipped += s >= 32767 || s <= -32767;
        }
        double rmsDb = 20 * std::log10(std::sqrt(sum / wave->samples.size()) / 32768.0);
        double seconds = double(wave->samples.size()) / wave->rate;
        EXPECT_GT(rmsDb, -35.0) << "too quiet";
        EXPECT_EQ(clipped, 0);
        EXPECT_LT(peak, 32000);
        if (IsGuiSound(name))
            EXPECT_LE(seconds, 0.25) << "a control's sound must be short";
        else if (slot == sound_effects::kMainMenuMusicLoop)
            EXPECT_GE(seconds, 8.0);
        else
            EXPECT_LE(seconds, 6.0);
        // No click where the sound starts or stops (the loop wraps instead).
        if (slot != sound_effects::kMainMenuMusicLoop) {
            EXPECT_LT(std::abs(int(wave->samples.front())), 1000);
            EXPECT_LT(std::abs(int(wave->samples.back())), 1000);
        }
    }
}

TEST(SoundEffects, MusicLoopJoinsWithoutAJump)
{
    auto bytes = ReadWholeFile(SoundDir() / (std::string(kEffects[sound_effects::kMainMenuMusicLoop].name) + ".wav"));
    ASSERT_TRUE(bytes);
    auto wave = ParseWave(*bytes);
    ASSERT_TRUE(wave);
    // The step across the seam is no larger than the steps inside the music.
    int largestStep = 0;
    for (size_t i = 1; i < wave->samples.size(); i++)
        largestStep = std::max(largestStep, std::abs(wave->samples[i] - wave->samples[i - 1]));
    int seam = std::abs(wave->samples.front() - wave->samples.back());
    EXPECT_LE(seam, largestStep);
    // A whole number of beats at 120 a minute.
    double beats = wave->samples.size() / (22050 * 0.5);
    EXPECT_NEAR(beats, std::round(beats), 1e-6);
}

TEST(SoundGenerator, RewritesTheCommittedSoundsAndMusicByteForByte)
{
    fs::path sound = testing_support::MakeScratchDir("sound"), music = testing_support::MakeScratchDir("music");
    std::string command = (testing_support::BinDir() / "velmorant-soundgen").string() + " '" + sound.string() + "' '" +
                          music.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto compare = [](const fs::path& fresh, const fs::path& committedDir) {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(fresh)) {
            files++;
            auto bytes = ReadWholeFile(entry.path());
            auto committed = ReadWholeFile(committedDir / entry.path().filename());
            EXPECT_TRUE(bytes);
            EXPECT_TRUE(committed) << entry.path().filename() << " is not committed";
            if (bytes && committed) {
                EXPECT_TRUE(*bytes == *committed) << entry.path().filename()
                                                  << ": run velmorant-soundgen data/sound data/Music and commit the result";
            }
        }
        return files;
    };
    EXPECT_EQ(compare(sound, SoundDir()), kEffectCount);
    EXPECT_GE(compare(music, MusicDir()), 3);
}

// The generators that write into a folder take no option for one: asked for help they
// answer it, and any other option is refused, with nothing written where they ran.
TEST(SoundGenerator, AndTheMovieGeneratorTakeNoOptionForAFolder)
{
    const fs::path here = testing_support::MakeScratchDir("options");
    for (const char* tool : {"velmorant-soundgen", "velmorant-moviegen"}) {
        const std::string run = "cd '" + here.string() + "' && " + (testing_support::BinDir() / tool).string();
        EXPECT_EQ(std::system((run + " --help > help.txt").c_str()), 0) << tool;
        EXPECT_NE(std::system((run + " -x 2> refused.txt").c_str()), 0) << tool;
        auto help = ReadWholeFile(here / "help.txt");
        ASSERT_TRUE(help);
        EXPECT_EQ(help->rfind("usage: ", 0), 0u) << tool;
        EXPECT_FALSE(fs::exists(here / "--help")) << tool;
        EXPECT_FALSE(fs::exists(here / "-x")) << tool;
    }
}

TEST(GameMusic, GeneralPlaylistNamesPlayableTracks)
{
    // playlists.csv gives the general playlist (-1); each of its lines is a track in the game folder.
    auto list = ReadWholeFile(MusicDir() / "playlists.csv");
    ASSERT_TRUE(list);
    EXPECT_NE(list->find("-1;data/Music/general.txt\r\n"), std::string::npos);
    auto playlist = ReadWholeFile(MusicDir() / "general.txt");
    ASSERT_TRUE(playlist);
    std::istringstream lines(*playlist);
    std::string line;
    int tracks = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        SCOPED_TRACE(line);
        auto bytes = ReadWholeFile(testing_support::SourceDir() / line);
        ASSERT_TRUE(bytes) << "missing track";
        auto wave = ParseWave(*bytes);
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->rate, 22050);
        int clipped = 0;
        double sum = 0;
        for (int16_t s : wave->samples) {
            clipped += s >= 32767 || s <= -32767;
            sum += double(s) * s;
        }
        EXPECT_EQ(clipped, 0);
        EXPECT_GT(20 * std::log10(std::sqrt(sum / wave->samples.size()) / 32768.0), -30.0);
        EXPECT_GE(wave->samples.size(), size_t(10 * 22050));
        tracks++;
    }
    EXPECT_GE(tracks, 2);
}
