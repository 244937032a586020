#include "game/save_files.h"

#include <filesystem>
#include <system_error>

#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text.h"
#include "platform/paths.h"

bool IsInScenarioFolder(std::wstring_view path)
{
    std::error_code ec;
    const auto scenarios = std::filesystem::weakly_canonical(std::filesystem::absolute(HostPath(L"data\\scenarios"), ec), ec);
    const auto target = std::filesystem::weakly_canonical(std::filesystem::absolute(HostPath(path), ec), ec);
    const auto relative = target.lexically_relative(scenarios);
    return !relative.empty() && *relative.begin() != "..";
}

namespace {
thread_local std::optional<sSaveFileFailure> t_FirstFailure;
} // namespace

bool WriteSaveFile(std::wstring_view path, std::string_view bytes)
{
    if (IsInScenarioFolder(path)) {
        LogLine(L"ERROR: a save may not write into a scenario folder: %s", std::wstring(path));
        return false;
    }
    std::error_code why;
    if (WriteWholeFile(HostPath(path), bytes, &why))
        return true;
    const std::wstring reason = Utf8ToWide(why.message());
    LogLine(L"ERROR: %s could not be written: %s", std::wstring(path), reason);
    if (!t_FirstFailure)
        t_FirstFailure = sSaveFileFailure{std::wstring(path.substr(path.find_last_of(L"\\/") + 1)), reason};
    return false;
}

std::optional<sSaveFileFailure> TakeSaveFileFailure()
{
    std::optional<sSaveFileFailure> first;
    first.swap(t_FirstFailure);
    return first;
}

void FailSaveFile(std::wstring_view path)
{
    FatalExit(1, FormatText(L"%s could not be written", std::wstring(path)));
}

void WriteSaveFileOrFail(std::wstring_view path, std::string_view bytes)
{
    LogLine(L"Opening file for writing...");
    LogLine(path);
    if (!WriteSaveFile(path, bytes))
        FailSaveFile(path);
    LogLine(L"File opened OK");
}
