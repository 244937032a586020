#pragma once
// Files and folders. The code writes the game's paths with backslashes
// ("data\\scenarios\\..."); HostPath turns them into paths of this system.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

std::filesystem::path HostPath(std::wstring_view gamePath);
std::filesystem::path HostPath(std::string_view gamePath);

// Whole-file reads and writes in binary. ReadWholeFile returns nothing when the file
// cannot be opened or read completely.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

bool FileExists(const std::filesystem::path& path);
bool DirectoryExists(const std::filesystem::path& path);
bool CreateDirectories(const std::filesystem::path& path);
