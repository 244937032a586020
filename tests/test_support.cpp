#include "tests/test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <vector>

#include "core/fatal.h"
#include "core/console_log.h"
#include "core/log.h"
#include "core/text.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/sdl_renderer.h"
#include "platform/texture.h"
#include "platform/window.h"

namespace testing_support {

namespace {
std::filesystem::path g_ProcessDir;
}

std::filesystem::path SourceDir() { return VELMORANT_SOURCE_DIR; }
std::filesystem::path FixtureDir() { return SourceDir() / "tests" / "data"; }
std::filesystem::path GameRoot() { return VELMORANT_GAME_ROOT; }
std::filesystem::path BinDir() { return std::filesystem::path(VELMORANT_BINARY_DIR) / "bin"; }

std::filesystem::path MakeScratchDir(const std::string& name)
{
    std::filesystem::path dir = g_ProcessDir / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::vector<std::wstring> LogLines()
{
    g_Console.Flush();
    auto bytes = ReadWholeFile(g_Console.GetPath());
    std::vector<std::wstring> lines;
    if (!bytes)
        return lines;
    std::string data = *bytes;
    if (data.size() >= 2 && uint8_t(data[0]) == 0xFF && uint8_t(data[1]) == 0xFE)
        data.erase(0, 2);
    std::wstring text = Utf16ToWide(LEBytesToUtf16(data));
    size_t start = 0;
    for (;;) {
        size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void ClearLog() { g_Console.Reopen(g_Console.GetPath()); }

bool LogHasInOrder(const std::vector<std::wstring>& expected)
{
    auto lines = LogLines();
    size_t at = 0;
    for (const auto& line : lines)
        if (at < expected.size() && line == expected[at])
            ++at;
    return at == expected.size();
}

bool LogContains(const std::wstring& line)
{
    auto lines = LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Every test process works in a folder of its own, so that parallel tests never
// share ConsoleOut.txt, Settings.ini or saves.
class cScratchEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        g_ProcessDir = std::filesystem::temp_directory_path() / ("velmorant-test-" + std::to_string(getpid()));
        std::filesystem::remove_all(g_ProcessDir);
        std::filesystem::create_directories(g_ProcessDir / "cwd");
        std::filesystem::current_path(g_ProcessDir / "cwd");
        g_Console.Reopen(g_ProcessDir / "cwd" / "ConsoleOut.txt");
        UseThrowingFatalHandler();
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        std::filesystem::remove_all(g_ProcessDir, ec);
    }
};

const auto* const g_Environment = ::testing::AddGlobalTestEnvironment(new cScratchEnvironment);

// Each test starts in an empty folder with an empty log and the program's globals fresh, as
// it does in a process of its own: what the test before left would change what it finds.
class cFreshFolderPerTest : public ::testing::EmptyTestEventListener
{
public:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        StartAsAFreshProgram();
        const std::filesystem::path cwd = g_ProcessDir / "cwd";
        std::error_code ec;
        std::filesystem::current_path(cwd, ec);
        std::vector<std::filesystem::path> left;
        for (const auto& entry : std::filesystem::directory_iterator(cwd, ec))
            left.push_back(entry.path());
        // Links into the game's data are removed, never followed.
        for (const auto& path : left)
            std::filesystem::remove_all(path, ec);
        g_Console.Reopen(cwd / "ConsoleOut.txt");
    }
};

const bool g_FreshFolders = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new cFreshFolderPerTest);
    return true;
}();

int CountLogLinesStartingWith(const std::wstring& prefix)
{
    int count = 0;
    for (const auto& line : LogLines())
        count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

bool LogStartsWith(const std::wstring& prefix) { return CountLogLinesStartingWith(prefix) > 0; }

void OpenOffscreenScreen(int width, int height, std::unique_ptr<cWindow>& window, std::unique_ptr<cSdlRenderer>& device)
{
    ASSERT_TRUE(InitVideo());
    SetRenderThread();
    window.reset(cWindow::Create(L"test"));
    ASSERT_TRUE(window);
    window->SetMode(width, height, true);
    device = cSdlRenderer::Create(window->GetSdlWindow(), width, height);
    ASSERT_TRUE(device);
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    EXPECT_TRUE(WriteWholeFile(path, text)) << path.string();
}

void ExpectSameSaveFiles(const std::filesystem::path& a, const std::filesystem::path& b)
{
    auto files = [](const std::filesystem::path& folder) {
        std::map<std::string, std::string> read;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            std::string bytes = ReadWholeFile(entry.path()).value_or("<unreadable>");
            if (entry.path().filename() == "Info.ini")
                if (const size_t at = bytes.find("\nDate = "); at != std::string::npos)
                    bytes.erase(at, bytes.find('\n', at + 1) - at);
            read[entry.path().filename().string()] = bytes;
        }
        return read;
    };
    const auto first = files(a), second = files(b);
    EXPECT_FALSE(first.empty()) << a.string();
    EXPECT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        const auto other = second.find(name);
        EXPECT_TRUE(other != second.end() && other->second == bytes) << name << " differs";
    }
}

int WakeUpsOfNewestThread(int milliseconds)
{
    int newest = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        newest = std::max(newest, std::stoi(task.path().filename().string()));
    auto switches = [newest] {
        std::ifstream status("/proc/self/task/" + std::to_string(newest) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("voluntary_ctxt_switches:"))
                return std::stoi(line.substr(24));
        return -1;
    };
    const int before = switches();
    SleepMs(milliseconds);
    return switches() - before;
}

} // namespace testing_support
