#pragma once
// The log "ConsoleOut.txt" (core/console_log.h holds the file): one line per call.
#include <string_view>

#include "core/format.h"

// Whether lines are written at all, and the writing of one line with its CR LF.
bool IsLogEnabled();
void WriteLogLine(std::wstring_view text);

// Formats and logs one line.
template <typename... Args>
void LogLine(std::wstring_view format, const Args&... args)
{
    if (!IsLogEnabled())
        return;
    if constexpr (sizeof...(Args) == 0)
        WriteLogLine(format);
    else
        WriteLogLine(FormatText(format, args...));
}
