#include "game/load_files.h"

#include "core/fatal.h"
#include "core/log.h"
#include "platform/paths.h"

std::string ReadLoadFileOrFail(const std::wstring& path, std::wstring_view openingLine, std::wstring_view failReason,
                               std::wstring_view okLine)
{
    LogLine(openingLine);
    LogLine(path);
    auto bytes = ReadWholeFile(HostPath(path));
    if (!bytes)
        FatalExit(1, std::wstring(failReason));
    LogLine(okLine);
    return std::move(*bytes);
}
