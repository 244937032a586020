// The rules of play build and run without a screen: no file of theirs includes drawing,
// window, sound, GUI, dialog or shell code (of the platform, paths, the clock and timers only).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "tests/test_support.h"

TEST(RulesLayering, RulesIncludeNoDrawingWindowOrGuiHeader)
{
    const std::regex forbidden(
        R"(^\s*#\s*include\s*"(shell/|gui/|dialogs/|platform/(?!(paths|clock|timer)\.h")))");
    int files = 0;
    for (const char* folder : {"game", "units", "world", "events", "ai"})
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(testing_support::SourceDir() / folder))
        {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h")
                continue;
            ++files;
            std::ifstream in(entry.path());
            std::string line;
            for (int n = 1; std::getline(in, line); ++n)
                EXPECT_FALSE(std::regex_search(line, forbidden)) << entry.path().string() << ":" << n << ": " << line;
        }
    }
    EXPECT_GT(files, 50);
}
