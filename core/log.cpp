#include "core/log.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "core/console_log.h"

#include "core/text.h"
#include "platform/clock.h"

std::atomic<bool> g_LogBusy{false};
cConsoleLog g_Console;

bool IsLogEnabled() { return g_Console.IsEnabled(); }
void WriteLogLine(std::wstring_view text) { g_Console.WriteLine(text); }

namespace {
thread_local bool t_Buffered = false;
// How stale a buffered thread's lines may grow before they are written.
constexpr uint32_t kBufferedFlushMs = 100;
} // namespace

void cConsoleLog::SetBufferedOnThisThread(bool buffered)
{
    t_Buffered = buffered;
}

cConsoleLog::cConsoleLog(std::filesystem::path path) : m_Path(std::move(path))
{
    OpenFile(false);
}

cConsoleLog::cConsoleLog() : m_OpenAtFirstLine(true), m_Path("ConsoleOut.txt") {}

cConsoleLog::~cConsoleLog()
{
    std::lock_guard<std::mutex> guard(m_FileMutex);
    if (m_File) {
        std::fclose(m_File);
        m_File = nullptr;
    }
}

void cConsoleLog::OpenFile(bool withBom)
{
    std::lock_guard<std::mutex> guard(m_FileMutex);
    OpenFileLocked(withBom);
}

void cConsoleLog::OpenFileLocked(bool withBom)
{
    m_OpenAtFirstLine = false;
    if (m_File) {
        NoteWrite(std::fclose(m_File) == 0);
        m_File = nullptr;
    }
    // Emptied once, then written at its end: a second game started in the same folder empties
    // it too, and this one's next line must not leave a gap of zero bytes where the file was.
    const int fd = ::open(m_Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    m_File = fd < 0 ? nullptr : ::fdopen(fd, "ab");
    if (fd >= 0 && !m_File)
        ::close(fd);
    NoteWrite(m_File != nullptr);
    if (m_File && withBom) {
        static const unsigned char bom[2] = {0xFF, 0xFE};
        NoteWrite(std::fwrite(bom, 1, 2, m_File) == 2);
    }
}

void cConsoleLog::NoteWrite(bool written)
{
    // The log cannot hold the news that it cannot be written: it goes to the error stream,
    // once for each reason until the log is written again.
    const int error = written ? 0 : errno;
    if (!written && error != m_FailedWith)
        std::fprintf(stderr, "velmorant: the log %s could not be written: %s\n", m_Path.string().c_str(),
                     std::generic_category().message(error).c_str());
    m_FailedWith = error;
}

void cConsoleLog::WriteLine(std::wstring_view text)
{
    if (!m_Enabled)
        return;
    // A line is a C text: a NUL read from a damaged file ends it.
    text = text.substr(0, text.find(L'\0'));
    // One line at a time: wait in 25 ms steps while another writer holds the flag.
    bool expected = false;
    while (!g_LogBusy.compare_exchange_weak(expected, true)) {
        expected = false;
        SleepMs(25);
    }
    {
        std::lock_guard<std::mutex> guard(m_FileMutex);
        if (m_OpenAtFirstLine)
            OpenFileLocked(false);
        if (m_File) {
            std::u16string line = WideToUtf16(text);
            line.append(u"\r\n");
            std::string bytes = Utf16ToLEBytes(line);
            bool written = std::fwrite(bytes.data(), 1, bytes.size(), m_File) == bytes.size();
            // Written through, so that the log survives a crash or a fatal exit; a buffered
            // thread's lines wait for its next safe point, at most 100 ms.
            const uint32_t now = GetTickMs();
            if (written && (!t_Buffered || now - m_LastFlushMs >= kBufferedFlushMs)) {
                written = std::fflush(m_File) == 0;
                m_LastFlushMs = now;
            }
            NoteWrite(written);
        }
    }
    g_LogBusy = false;
}

void cConsoleLog::Restart()
{
    OpenFile(true);
}

void cConsoleLog::Reopen(std::filesystem::path path)
{
    {
        std::lock_guard<std::mutex> guard(m_FileMutex);
        m_Path = std::move(path);
    }
    OpenFile(false);
}

void cConsoleLog::Flush()
{
    std::lock_guard<std::mutex> guard(m_FileMutex);
    if (m_File)
        NoteWrite(std::fflush(m_File) == 0);
    m_LastFlushMs = GetTickMs();
}
