#include "game/auto_events.h"

#include <algorithm>
#include <climits>

#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "game/table_fields.h"

bool cAutoEventsRepository::Add(int eventId, int optionId)
{
    const sAutoEvent pair{eventId, optionId};
    if (std::find(m_Pairs.begin(), m_Pairs.end(), pair) != m_Pairs.end())
        return false;
    m_Pairs.push_back(pair);
    return true;
}

std::string cAutoEventsRepository::Encode() const
{
    std::string out;
    for (const auto& p : m_Pairs)
        out += std::to_string(p.eventId) + ";" + std::to_string(p.optionId) + "\r\n";
    return out;
}

void cAutoEventsRepository::Decode(std::string_view text, const std::wstring& path)
{
    m_Pairs.clear();
    int lineNumber = 0;
    // Each line whole, not in pieces of 500 characters: the tail of a cut line would be read
    // as a pair of its own.
    for (const std::string& line : SplitLines(text)) {
        ++lineNumber;
        // An empty line holds no pair: taken as one it would add event 0 with option 0.
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<int> columns;
        const std::vector<std::string> words = SplitTokens(line, ";", &columns);
        if (words.size() > 2)
            LogLine(L"auto_events.csv, line %i: %i fields; a row holds an event id and an option id", lineNumber,
                    int(words.size()));
        if (words.size() > 2)
            FatalExit(1, FormatText(L"auto_events.csv, line %i: %s", lineNumber,
                                    LangMessage("error:_cannot_handle_word_from_column_%i_for_auto_events_repository.",
                                                columns[2])));
        const cTableFields row(path, lineNumber, words, columns);
        sAutoEvent pair;
        pair.eventId = words.empty() ? 0 : row.Int(0, INT_MIN, INT_MAX, L"event id");
        pair.optionId = words.size() < 2 ? 0 : row.Int(1, INT_MIN, INT_MAX, L"option id");
        m_Pairs.push_back(pair);
    }
    // The end of the file after a line end reads as one more line that is not there.
    if (text.empty() || text.back() == '\n')
        LogLine(LangText("empty_line..."));
}

void cAutoEventsRepository::Save(std::wstring_view folder) const
{
    const std::wstring path = JoinFolder(folder, L"auto_events.csv");
    LogLine(LangText("opening_file_for_writing..."));
    LogLine(path);
    if (!WriteSaveFile(path, Encode()))
        FailSaveFile(path);
    LogLine(LangText("file_opened_ok"));
}

void cAutoEventsRepository::Load(std::wstring_view pattern)
{
    const std::wstring path = JoinPathPattern(pattern, L"auto_events.csv");
    std::string bytes = ReadLoadFileOrFail(path, L"Otwieram plik z jednostkami lotniczymi ze ďż˝cieďż˝kďż˝...");
    Decode(bytes, path);
}
