#pragma once
// Files and folders. The code writes the game's paths with backslashes
// ("data\\scenarios\\..."); HostPath turns them into paths of this system.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

std::filesystem::path HostPath(std::wstring_view gamePath);
std::filesystem::path HostPath(std::string_view gamePath);

// Whole-file reads and writes in binary. ReadWholeFile returns nothing when the file
// cannot be opened or read completely. WriteWholeFile is false when the file cannot be
// opened, written or closed; why, when given, then gets the system's reason (a full disk, a
// read-only file system). A file that failed on its way may be left cut short.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::error_code* why = nullptr);
// The most a text file of the game may hold (tables, INI files, lists). The largest the game
// ships is under 150 KB (events.xml; the largest table, land_units.csv, 27 KB), and a save of
// a long war holds little more: a file of this size is a runaway or a damaged one, and read
// whole it would take minutes and gigabytes of memory.
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t(64) << 20;
// The bytes of a UTF-8 text file without the byte-order mark some editors save at its start:
// it is no part of the first line. Nothing when the file cannot be read, or when it holds
// more than kMaxTextFileBytes; that is found before any of it is read, and tooLarge, when
// given, then gets its size (0 otherwise).
std::optional<std::string> ReadTextFile(const std::filesystem::path& path, std::uintmax_t* tooLarge = nullptr);
// The lines of a text file read so, without their CR LF or LF ends; a last line end adds no
// empty line. Nothing when the file cannot be read.
std::optional<std::vector<std::wstring>> ReadTextLines(const std::filesystem::path& path);

bool FileExists(const std::filesystem::path& path);
bool DirectoryExists(const std::filesystem::path& path);
bool CreateDirectories(const std::filesystem::path& path);

// An advisory lock on a file that programs sharing one game folder take before they change
// what others may be changing. The system lets go of it when its program ends, however it
// ends: a program killed never leaves it held.
class cFileLock
{
public:
    // Takes the lock of the file (made when missing) if it is free, without waiting.
    explicit cFileLock(std::filesystem::path path);
    // Removes the file while it still holds it, then lets go.
    ~cFileLock();
    cFileLock(const cFileLock&) = delete;
    cFileLock& operator=(const cFileLock&) = delete;

    bool Held() const { return m_Fd >= 0; }
    // Not taken because another holds it (else the file could not be made or opened).
    bool Busy() const { return m_Busy; }
    // The system's reason it was not taken, when it gave one.
    std::error_code Error() const { return m_Error; }

private:
    std::filesystem::path m_Path;
    int m_Fd = -1;
    bool m_Busy = false;
    std::error_code m_Error;
};
