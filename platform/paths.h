#pragma once
// Files and folders. The code writes the game's paths with backslashes
// ("data\\scenarios\\..."); HostPath turns them into paths of this system.
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
// The lines of a UTF-8 text file, without a leading byte-order mark and without their CR LF
// or LF ends; a last line end adds no empty line. Nothing when the file cannot be read.
std::optional<std::vector<std::wstring>> ReadTextLines(const std::filesystem::path& path);

bool FileExists(const std::filesystem::path& path);
bool DirectoryExists(const std::filesystem::path& path);
bool CreateDirectories(const std::filesystem::path& path);
