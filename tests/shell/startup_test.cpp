// The real start-up sequence, headless: its log lines, its exit codes and its failures.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "core/fatal.h"
#include "core/format.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/text.h"
#include "core/version.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "shell/music_player.h"
#include "shell/startup.h"
#include "tests/test_support.h"

extern char** environ;

namespace {

using namespace testing_support;

// A game folder: the shipped data (but for the file of data left out), the language table
// and, when given, the settings.
std::filesystem::path MakeGameFolder(const std::filesystem::path& dir, const std::string& settings = "",
                                     const std::string& leftOut = "")
{
    std::filesystem::create_directories(dir);
    if (leftOut.empty()) {
        std::filesystem::create_directory_symlink(GameRoot() / "data", dir / "data");
    } else {
        std::filesystem::create_directories(dir / "data");
        for (const auto& entry : std::filesystem::directory_iterator(GameRoot() / "data"))
            if (entry.path().filename() != leftOut)
                std::filesystem::create_symlink(entry.path(), dir / "data" / entry.path().filename());
    }
    std::filesystem::copy_file(GameRoot() / "lang_ENG.db", dir / "lang_ENG.db");
    if (!settings.empty())
        WriteWholeFile(dir / "Settings.ini", settings);
    return dir;
}

const char* kSmallScreen = "[Main]\r\nResolutionX = 800\r\nResolutionY = 600\r\n";
// The layout of the default size, which a size without a layout of its own takes.
const char* kDefaultLayout = "GUI_1024x768.csv";

std::wstring RunningLine() { return FormatText(L"Running %s v%.2f", kGameName, kGameVersion); }

int g_IntroFrames = 0;
// An intro that animates: it asks for every next frame.
void QuitAfterFiveFrames(cRenderer*, double, float)
{
    DXUTWantFrameIn(0.0);
    if (++g_IntroFrames == 5)
        DXUTShutdown();
}

TEST(Startup, RunsHeadlessThroughItsStepsAndEndsWithExitCodeZero)
{
    g_IntroFrames = 0; // a repeat in the same process starts afresh
    MakeGameFolder(std::filesystem::current_path());
    // The intro installs the frame callbacks; here it stops after a few frames.
    static std::wstring title;
    // Both dice are seeded with the start's time: the game's, and the music's own.
    static uint32_t dice = 0;
    static std::vector<int> firstTracks, firstTracksOfThatSeed;
    const auto firstTracksOfStarts = [] {
        std::vector<int> tracks;
        for (int start = 0; start < 24; ++start) {
            cMusicPlayer player;
            EXPECT_TRUE(player.SelectPlaylist(-1));
            tracks.push_back(player.GetCurrentTrack());
        }
        return tracks;
    };
    const int64_t before = GetCalendarSeconds();
    g_ShellLinks.playIntroMovies = [=] {
        title = DXUTGetHWND()->GetTitle();
        dice = GetRandomState();
        firstTracks = firstTracksOfStarts();
        SeedMusicDice(dice);
        firstTracksOfThatSeed = firstTracksOfStarts();
        DXUTSetCallbackFrameMove(QuitAfterFiveFrames);
        DXUTSetCallbackFrameRender(OnFrameRender);
    };
    int destroyed = 0;
    bool exists = true;
    g_GameLink.exists = [&] { return exists; };
    g_GameLink.state = [] { return 1; };
    g_GameLink.destroy = [&] {
        ++destroyed;
        exists = false;
    };

    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(g_IntroFrames, 5);
    EXPECT_GE(dice, uint32_t(before));
    EXPECT_LE(dice, uint32_t(GetCalendarSeconds()));
    EXPECT_EQ(firstTracks, firstTracksOfThatSeed);
    // The shipped playlist has two tracks, and 24 starts do not all begin with one of them.
    const auto zeros = std::count(firstTracks.begin(), firstTracks.end(), 0);
    EXPECT_EQ(zeros + std::count(firstTracks.begin(), firstTracks.end(), 1), 24);
    EXPECT_TRUE(zeros > 0 && zeros < 24);
    EXPECT_EQ(title, BuildWindowTitle(kGameName, kGameVersion, kGameBuild));
    EXPECT_EQ(destroyed, 1); // by the window's close, not again at the end
    EXPECT_FALSE(g_AppRunning.load()) << "the lock stays started for whatever runs next";
    EXPECT_TRUE(LogHasInOrder({RunningLine(), L"Loading GUI coordinates nad fonts from \"data\\GUI_1024x768.csv\"... OK",
                               L"Device create", L"Device create end", L"Device reset", L"Device reset end",
                               L"Loaded string base", L"Device lost", L"Device lost end", L"Device destroy",
                               L"Device destroy end"}));
    g_GameLink = sGameLink{};
    g_ShellLinks = sShellLinks{};
}

// A size of the settings without a layout takes the default size; without the layout of
// that one either, the program ends.
TEST(Startup, AMissingLayoutFileEndsTheProgramWithCodeOne)
{
    MakeGameFolder(std::filesystem::current_path(), kSmallScreen, kDefaultLayout);
    try {
        RunProgram();
        FAIL() << "start-up went on without a layout file";
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_TRUE(LogHasInOrder({RunningLine(),
                               L"Settings: Main/ResolutionX, Main/ResolutionY = 800x600 has no layout file "
                               L"data\\GUI_800x600.csv, using 1024x768",
                               L"Loading GUI coordinates from \"data\\GUI_1024x768.csv\"... FAILED"}));
    EXPECT_FALSE(LogContains(L"Device create"));
    EXPECT_FALSE(g_AppRunning.load()) << "the lock stays started for whatever runs next";
}

TEST(Startup, AFailedTextLayerCheckWritesErrorTxtAndEndsWithCodeZero)
{
    MakeGameFolder(std::filesystem::current_path());
    EXPECT_TRUE(UnicodeLayerAvailable());
    g_UnicodeLayerCheck = [] { return false; };
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(ReadWholeFile("error.txt").value_or(""), "unicows.dll not found! cannot load game");
    EXPECT_EQ(DXUTGetHWND(), nullptr);
    EXPECT_FALSE(LogContains(L"Device create"));
    EXPECT_FALSE(g_AppRunning.load());
}

TEST(Startup, WindowTitleShowsTheBuildOnlyWhenItIsNotAWholeHundred)
{
    EXPECT_EQ(BuildWindowTitle(L"Velmorant", 1.03f, 400), L"Velmorant v1.03");
    EXPECT_EQ(BuildWindowTitle(L"Velmorant", 1.03f, 412), L"Velmorant v1.03 [build 412]");
    EXPECT_EQ(BuildWindowTitle(L"Velmorant", 1.03f, 7), L"Velmorant v1.03 [build   7]");
    EXPECT_EQ(BuildWindowTitle(kGameName, kGameVersion, kGameBuild).rfind(kGameName, 0), 0u);
}

// The real program in its own process.
int RunGameProcess(const std::filesystem::path& dir, bool closeWhenUp)
{
    std::string program = (BinDir() / "velmorant").string();
    std::string cwd = dir.string();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0)
            _exit(99);
        char* argv[] = {program.data(), nullptr};
        execve(program.c_str(), argv, environ);
        _exit(98);
    }
    if (closeWhenUp) {
        // Close the window (as the desktop does on logout) once frames are running.
        for (int i = 0; i < 400; ++i) {
            auto log = ReadWholeFile(dir / "ConsoleOut.txt");
            if (log && Utf16ToWide(LEBytesToUtf16(*log)).find(L"Loaded string base") != std::wstring::npos)
                break;
            SleepMs(50);
        }
        SleepMs(300);
        kill(pid, SIGTERM);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(Startup, TheProgramClosesCleanlyAndFailsWithCodeOneWithoutItsLayout)
{
    auto good = MakeGameFolder(MakeScratchDir("good"));
    EXPECT_EQ(RunGameProcess(good, true), 0);
    auto log = Utf16ToWide(LEBytesToUtf16(ReadWholeFile(good / "ConsoleOut.txt").value_or("")));
    EXPECT_NE(log.find(L"Device destroy end"), std::wstring::npos);

    auto bad = MakeGameFolder(MakeScratchDir("bad"), "", kDefaultLayout);
    EXPECT_EQ(RunGameProcess(bad, false), 1);
    log = Utf16ToWide(LEBytesToUtf16(ReadWholeFile(bad / "ConsoleOut.txt").value_or("")));
    EXPECT_NE(log.find(L"Loading GUI coordinates from \"data\\GUI_1024x768.csv\"... FAILED"), std::wstring::npos);
}

} // namespace
