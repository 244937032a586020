// The layout files under data/ are what the layout generator writes from its description, and
// the generator refuses a description whose controls leave their window or overlap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path Description() { return testing_support::SourceDir() / "tools" / "layoutgen" / "windows.txt"; }

// Runs the generator on a description; its exit code, and what it printed in `printed`.
int RunGenerator(const fs::path& description, const fs::path& out, std::string& printed)
{
    const fs::path log = out / "printed.txt";
    const std::string command = (testing_support::BinDir() / "velmorant-layoutgen").string() + " '" +
                                description.string() + "' '" + out.string() + "' 2>'" + log.string() + "'";
    const int status = std::system(command.c_str());
    printed = ReadText(log);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(LayoutGenerator, WritesTheCommittedLayoutOfEveryScreenSize)
{
    const fs::path out = testing_support::MakeScratchDir("layouts");
    std::string printed;
    ASSERT_EQ(RunGenerator(Description(), out, printed), 0) << printed;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        if (entry.path().extension() != ".csv")
            continue;
        ++files;
        const fs::path committed = testing_support::SourceDir() / "data" / entry.path().filename();
        EXPECT_EQ(ReadText(entry.path()), ReadText(committed))
            << entry.path().filename() << ": run velmorant-layoutgen tools/layoutgen/windows.txt data and commit the result";
    }
    // 1024 x 768 and the seven sizes of today's displays, and no other file ships.
    EXPECT_EQ(files, 8);
    int shipped = 0;
    for (const auto& entry : fs::directory_iterator(testing_support::SourceDir() / "data"))
        shipped += entry.path().filename().string().rfind("GUI_", 0) == 0 && entry.path().extension() == ".csv";
    EXPECT_EQ(shipped, files);
}

TEST(LayoutGenerator, RefusesControlsOutsideTheirWindowOrOverEachOtherAndWritesNothing)
{
    const fs::path out = testing_support::MakeScratchDir("refused");
    const fs::path description = out / "windows.txt";
    // A control beyond its window, two buttons on top of each other, and a window drawn at its
    // own size that fits 1024 x 768 but not the lower screen of 1280 x 720.
    testing_support::WriteFile(description, "sizes 1024x768 1280x720\n"
                                             "window panel left top\n"
                                             "10;0;0;300;200\n"
                                             "11;10;10;100;30\n"
                                             "12;250;150;100;30\n"
                                             "13;60;20;100;30\n"
                                             "window logo unscaled\n"
                                             "20;0;0;1024;768\n"
                                             "window tabs\n"
                                             "30;100;100;400;300\n"
                                             "31;120;120;100;30 page=a\n"
                                             "32;120;120;100;30 page=b\n"
                                             "font 1;Arial;18;88;255;255;255;255;214;120\n");
    std::string printed;
    EXPECT_EQ(RunGenerator(description, out, printed), 1);
    EXPECT_NE(printed.find("1024x768: panel: row 12 (line 5) leaves its window"), std::string::npos) << printed;
    EXPECT_NE(printed.find("1024x768: panel: row 11 (line 4) and row 13 (line 6) overlap"), std::string::npos) << printed;
    EXPECT_NE(printed.find("1280x720: logo: row 20 (line 8) leaves the screen"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("1024x768: logo"), std::string::npos) << printed;
    // Controls of different pages share their place.
    EXPECT_EQ(printed.find("row 31"), std::string::npos) << printed;
    EXPECT_FALSE(fs::exists(out / "GUI_1024x768.csv"));

    // A row that is not a row, and an unknown word, are named with their line.
    testing_support::WriteFile(description, "sizes 1024x768\nwindow w\n1;2;3\n4;0;0;10;10 sideways\n");
    EXPECT_EQ(RunGenerator(description, out, printed), 1);
    EXPECT_NE(printed.find("line 3: a row is id;x;y;width;height"), std::string::npos) << printed;
    EXPECT_NE(printed.find("line 4: unknown word \"sideways\""), std::string::npos) << printed;

    // A picture drawn for a control that is not given, and a row that is not drawn at several
    // sizes.
    testing_support::WriteFile(description, "sizes 1024x768\nwindow pictures unchecked as-is\n"
                                             "3;0;740;1024;120 drawn-for=999\n11;1060;870;48;48 drawn-for=3\n");
    EXPECT_EQ(RunGenerator(description, out, printed), 1);
    EXPECT_NE(printed.find("line 3: row 3 is drawn for row 999, which is not given"), std::string::npos) << printed;
    EXPECT_NE(printed.find("line 4: row 11 is not a picture drawn at several sizes"), std::string::npos) << printed;
}
