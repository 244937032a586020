#pragma once
// Helpers shared by the tests: where the sources and fixtures are, a private scratch
// folder per test process, and the log read back as text.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class cWindow;
class cSdlRenderer;

namespace testing_support {

std::filesystem::path SourceDir();
std::filesystem::path FixtureDir(); // tests/data
std::filesystem::path GameRoot();   // <build>/game: data/ and lang_ENG.db
std::filesystem::path BinDir();     // <build>/bin
// A fresh empty folder for this test; removed when the process ends.
std::filesystem::path MakeScratchDir(const std::string& name);
// The lines of the current log (g_Console), without their CR LF.
std::vector<std::wstring> LogLines();
// Clears the log, so that a test sees only its own lines.
void ClearLog();
// True when the lines appear in the log in this order (others may stand between).
bool LogHasInOrder(const std::vector<std::wstring>& expected);
bool LogContains(const std::wstring& line);
// True when some log line starts with the prefix; the count of such lines.
bool LogStartsWith(const std::wstring& prefix);
int CountLogLinesStartingWith(const std::wstring& prefix);
// The program's globals as a process that has just started holds them; run before each test.
void StartAsAFreshProgram();
// Writes text as the whole file, making its folder first; fails the test when it cannot.
void WriteFile(const std::filesystem::path& path, const std::string& text);
// A window of the size, offscreen, and the renderer the game makes for it, drawn on from this
// thread; the test fails when there is none (call it under ASSERT_NO_FATAL_FAILURE).
void OpenOffscreenScreen(int width, int height, std::unique_ptr<cWindow>& window,
                         std::unique_ptr<cSdlRenderer>& device);
// Expects the two save folders to hold the same files, byte for byte, but the time of the
// save in Info.ini.
void ExpectSameSaveFiles(const std::filesystem::path& a, const std::filesystem::path& b);
// How often the thread started last wakes up by itself within the time: a sleeper makes no wake-ups.
int WakeUpsOfNewestThread(int milliseconds);

} // namespace testing_support
