#include "game/save_files.h"

#include <filesystem>

#include "core/fatal.h"
#include "core/log.h"
#include "platform/paths.h"

bool IsInScenarioFolder(std::wstring_view path)
{
    std::error_code ec;
    const auto scenarios = std::filesystem::weakly_canonical(std::filesystem::absolute(HostPath(L"data\\scenarios"), ec), ec);
    const auto target = std::filesystem::weakly_canonical(std::filesystem::absolute(HostPath(path), ec), ec);
    const auto relative = target.lexically_relative(scenarios);
    return !relative.empty() && *relative.begin() != "..";
}

bool WriteSaveFile(std::wstring_view path, std::string_view bytes)
{
    if (IsInScenarioFolder(path)) {
        LogLine(L"ERROR: a save may not write into a scenario folder: %s", std::wstring(path));
        return false;
    }
    return WriteWholeFile(HostPath(path), bytes);
}

void FailSaveFile()
{
    FatalExit(1, L"Error opening file for writing");
}

void WriteSaveFileOrFail(std::wstring_view path, std::string_view bytes)
{
    LogLine(L"Opening file for writing...");
    LogLine(path);
    if (!WriteSaveFile(path, bytes))
        FailSaveFile();
    LogLine(L"File opened OK");
}
