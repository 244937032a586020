// The movie player on the committed movies and on files that are no movies.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/movie.h"
#include "platform/paths.h"
#include "shell/movie_player.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;

class MoviePlayer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directory_symlink(SourceDir() / "data", "data");
        SetVirtualClock(true);
    }
    void TearDown() override { SetVirtualClock(false); }
};

TEST_F(MoviePlayer, PlaysAMovieToItsEndOnTheClockAndStopsOnRequest)
{
    cMoviePlayer player;
    ASSERT_TRUE(player.Open(L"data\\intro.avi"));
    EXPECT_FALSE(player.IsPlaying()); // not started
    player.Play();
    int polls = 0;
    while (player.IsPlaying() && polls < 2000) {
        AdvanceVirtualClock(5);
        ++polls;
    }
    // 3.5 seconds of 5 ms polls.
    EXPECT_NEAR(polls, 700, 12);

    cMoviePlayer second;
    ASSERT_TRUE(second.Open(L"data\\intro2.avi"));
    second.Play();
    AdvanceVirtualClock(500);
    EXPECT_TRUE(second.IsPlaying());
    second.Stop();
    EXPECT_FALSE(second.IsPlaying());
}

TEST_F(MoviePlayer, AMissingFileOrOneWithoutVideoIsLoggedAndNotPlayed)
{
    WriteFile("notamovie.avi", "RIFF....AVI LIST this is no movie at all");
    for (const wchar_t* path : {L"missing.avi", L"notamovie.avi"}) {
        cMoviePlayer player;
        EXPECT_FALSE(player.Open(path));
        EXPECT_TRUE(LogContains(std::wstring(L"-----Could not open video file: ") + path));
        player.Play();
        EXPECT_FALSE(player.IsPlaying());
    }
}

TEST_F(MoviePlayer, TheCommittedMoviesHaveTheirSizeAndLength)
{
    const struct
    {
        const char* file;
        int frames;
    } movies[] = {{"intro.avi", 70}, {"intro2.avi", 80}, {"intro3.avi", 80}, {"credits.avi", 320}};
    for (const auto& m : movies) {
        auto movie = cMovie::Open(SourceDir() / "data" / m.file);
        ASSERT_TRUE(movie) << m.file;
        EXPECT_EQ(movie->Width(), 640);
        EXPECT_EQ(movie->Height(), 480);
        double t = 0;
        while (movie->AdvanceTo(t) && t < 60)
            t += 0.01;
        EXPECT_EQ(movie->FramesDecoded(), m.frames) << m.file;
    }
}

TEST_F(MoviePlayer, AFrameKeepsItsShapeAndAWideWindowCutsItsTopAndBottom)
{
    // The convoy's sky darkens towards the top of the frame: a window of the movie's shape,
    // or a narrower one cut at the sides, shows the frame's own top row at its top; a wide
    // window shows a row from further down, the top and bottom being cut off.
    auto topRowRed = [](int width, int height) {
        auto movie = cMovie::Open(SourceDir() / "data" / "intro.avi");
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
        SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
        int red = -1;
        if (movie && renderer && movie->AdvanceTo(2.0)) {
            movie->Draw(renderer);
            SDL_RenderPresent(renderer);
            const auto* row = static_cast<const uint32_t*>(surface->pixels);
            red = int((row[width / 2] >> 16) & 0xFF);
        }
        movie.reset();
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
        return red;
    };
    const int asMade = topRowRed(64, 48);
    ASSERT_GE(asMade, 0);
    EXPECT_NEAR(topRowRed(16, 48), asMade, 12);
    EXPECT_GT(topRowRed(64, 16), asMade + 30);
}

} // namespace
