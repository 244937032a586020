// The committed movies and credits music are what the movie generator writes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;

TEST(MovieGenerator, RewritesTheCommittedMoviesAndMusicByteForByte)
{
    const auto out = MakeScratchDir("movies");
    const std::string command = (BinDir() / "velmorant-moviegen").string() + " " + out.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* file : {"intro.avi", "intro2.avi", "intro3.avi", "credits.avi", "credits.ogg"}) {
        auto written = ReadWholeFile(out / file);
        auto committed = ReadWholeFile(SourceDir() / "data" / file);
        ASSERT_TRUE(written && committed) << file;
        EXPECT_TRUE(*written == *committed) << file << " differs: run velmorant-moviegen data and commit";
    }
}

} // namespace
