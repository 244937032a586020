#pragma once
// The log file "ConsoleOut.txt" itself: UTF-16LE, one line per call, each ending in CR LF.
// Never shown to the player; both threads write to it. Most code only writes lines through
// LogLine (core/log.h); this is for the code that opens, moves or flushes the file.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string_view>

class cConsoleLog
{
public:
    // Creates the log file at path.
    explicit cConsoleLog(std::filesystem::path path);
    // The program's log, "ConsoleOut.txt" in the working directory, created anew with its
    // first line: a tool that moves its log elsewhere first never empties the game's.
    cConsoleLog();
    ~cConsoleLog();
    cConsoleLog(const cConsoleLog&) = delete;
    cConsoleLog& operator=(const cConsoleLog&) = delete;

    // Writes text and CR LF. Does nothing when disabled or when the file could not be made;
    // a file that cannot be made or written is told on the error stream, with the reason.
    void WriteLine(std::wstring_view text);
    // Starts the file anew, beginning with the byte-order mark FF FE.
    void Restart();
    // Moves the log to another file, created without a byte-order mark like the first one.
    void Reopen(std::filesystem::path path);
    void Flush();
    // The lines of the calling thread wait in the file's buffer until the thread sleeps or
    // waits, ends, or 100 ms have passed (a fatal exit flushes them too); other threads'
    // lines are written through at once. For the computer opponent's thread: it writes some
    // seven thousand lines an impulse of Europe 1939, and a system write for each would slow it.
    static void SetBufferedOnThisThread(bool buffered);

    void SetEnabled(bool enabled) { m_Enabled = enabled; }
    bool IsEnabled() const { return m_Enabled; }
    bool IsOpen() const { return m_File != nullptr; }
    const std::filesystem::path& GetPath() const { return m_Path; }

private:
    void OpenFile(bool withBom);
    void OpenFileLocked(bool withBom);
    // Tells the error stream why the log could not be written (a full disk, a read-only
    // folder), once for each reason; m_FileMutex is held.
    void NoteWrite(bool written);

    std::atomic<bool> m_Enabled{true};
    std::FILE* m_File = nullptr;
    bool m_OpenAtFirstLine = false; // guarded by m_FileMutex
    std::filesystem::path m_Path;
    std::mutex m_FileMutex; // guards m_File against Restart on another thread
    uint32_t m_LastFlushMs = 0;
    int m_FailedWith = 0; // the reason last told, 0 once written again; guarded by m_FileMutex
};

extern cConsoleLog g_Console;
// The busy flag shared by every writer: one line at a time, polled every 25 ms.
extern std::atomic<bool> g_LogBusy;
