// The music player: the playlists file, choosing playlists and tracks, the credits' file.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

#include "core/random.h"
#include "platform/sound.h"
#include "shell/music_player.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

namespace {

using namespace testing_support;

class MusicPlayer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadGameTexts();
        ASSERT_EQ(audio.Initialize(), S_OK);
        ASSERT_EQ(audio.SetPrimaryBufferFormat(1, 22050, 16), S_OK);
        const auto music = SourceDir() / "data" / "Music";
        std::filesystem::create_directories("data/Music");
        for (const char* track : {"column_on_the_road.wav", "night_watch.wav"})
            std::filesystem::create_symlink(music / track, std::filesystem::path("data/Music") / track);
        WriteFile("data/Music/two.txt", "# two tracks\r\ndata/Music/column_on_the_road.wav\r\n;skipped\r\n\r\n"
                                        "data/Music/night_watch.wav\r\ndata/Music/missing.wav\r\n");
        WriteFile("data/Music/one.txt", "data/Music/night_watch.wav");
    }
    CSoundManager audio;
};

TEST_F(MusicPlayer, ThePlaylistsFileKeepsWellFormedLinesAndTheFirstOfANumber)
{
    WriteFile("data/Music/playlists.csv", "# comment\r\n;1;x\r\n7;\r\nno separator\r\n-1;data/Music/two.txt\r\n"
                                          "5;a;b\r\n5;c\r\n12;data/Music/one.txt");
    cMusicPlayer player;
    const std::map<int, std::string> expected = {{-1, "data/Music/two.txt"}, {5, "a;b"}, {12, "data/Music/one.txt"}};
    EXPECT_EQ(player.GetPlaylists(), expected);
    EXPECT_TRUE(LogContains(L"Playlist -1: data/Music/two.txt"));
    EXPECT_TRUE(LogContains(L"Playlist 5: a;b"));
    EXPECT_FALSE(player.SelectPlaylist(3));
    EXPECT_EQ(player.GetCurrentPlaylist(), -2);
}

TEST_F(MusicPlayer, WithoutThePlaylistsFileNothingCanBeSelected)
{
    cMusicPlayer player;
    EXPECT_TRUE(LogContains(L"Error: could not open the file data/Music/playlists.csv"));
    EXPECT_FALSE(player.SelectPlaylist(-1));
}

TEST_F(MusicPlayer, TracksFollowEachOtherWithoutRepeatsAndAOneTrackListReplays)
{
    WriteFile("data/Music/playlists.csv", "-1;data/Music/two.txt\r\n12;data/Music/one.txt\r\n");
    cMusicPlayer player;
    ASSERT_TRUE(player.SelectPlaylist(-1));
    EXPECT_TRUE(LogContains(L"ERROR: nie udało się otworzyć strumienia audiere do pliku data/Music/missing.wav"));
    ASSERT_EQ(player.GetTrackCount(), 2);
    int previous = player.GetCurrentTrack();
    ASSERT_GE(previous, 0);
    const uint32_t dice = GetRandomState();
    for (int i = 0; i < 6; ++i) {
        Mix_HaltMusic(); // the track ends
        player.Update();
        EXPECT_NE(player.GetCurrentTrack(), previous);
        EXPECT_EQ(Mix_PlayingMusic(), 1);
        previous = player.GetCurrentTrack();
    }
    EXPECT_EQ(GetRandomState(), dice) << "the game's dice do not pick the tracks";
    // The same playlist again does not restart its music.
    EXPECT_TRUE(player.SelectPlaylist(-1));
    EXPECT_EQ(player.GetCurrentTrack(), previous);

    ASSERT_TRUE(player.SelectPlaylist(12));
    Mix_HaltMusic();
    player.Update();
    EXPECT_EQ(player.GetCurrentTrack(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    // Each start of the program seeds the music's dice with its own time: the first tracks of
    // starts with the same seed are the same, those of other seeds are not all one.
    const auto firstTracks = [] {
        std::vector<int> first;
        for (uint32_t seed = 1; seed <= 8; ++seed) {
            SeedMusicDice(seed);
            cMusicPlayer start;
            EXPECT_TRUE(start.SelectPlaylist(-1));
            first.push_back(start.GetCurrentTrack());
        }
        return first;
    };
    const std::vector<int> first = firstTracks();
    EXPECT_EQ(firstTracks(), first);
    EXPECT_NE(std::count(first.begin(), first.end(), first[0]), 8) << "every seed starts with one track";
}

TEST_F(MusicPlayer, TheCreditsMusicPlaysOnItsOwnAndTheTracksWaitForIt)
{
    WriteFile("data/Music/playlists.csv", "-1;data/Music/one.txt\r\n");
    std::filesystem::create_symlink(SourceDir() / "data" / "credits.ogg", "data/credits.ogg");
    cMusicPlayer player;
    ASSERT_TRUE(player.SelectPlaylist(-1));
    player.PlayFile("data/credits.ogg");
    EXPECT_TRUE(player.IsFilePlaying());
    player.Update(); // the track does not take the music channel back
    EXPECT_TRUE(player.IsFilePlaying());
    player.StopFile();
    EXPECT_FALSE(player.IsFilePlaying());
    player.Update();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
}

} // namespace
