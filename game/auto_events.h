#pragma once
// The automatic events repository: the option taken for each scripted event, filled at
// the start of a new scenario and carried by saved games in auto_events.csv.
#include <list>
#include <string>
#include <string_view>

struct sAutoEvent
{
    int eventId = 0;
    int optionId = 0;
    bool operator==(const sAutoEvent&) const = default;
};

class cAutoEventsRepository
{
public:
    // False when that exact pair is already held.
    bool Add(int eventId, int optionId);
    // Writes <folder>\auto_events.csv; a failure ends the program with exit code 1.
    void Save(std::wstring_view folder) const;
    // Reads auto_events.csv of the folder pattern; a missing file or a bad line ends
    // the program with exit code 1.
    void Load(std::wstring_view pattern);
    // The file's text and its reading (the reading ends the program on a bad line).
    std::string Encode() const;
    void Decode(std::string_view text, const std::wstring& path = L"auto_events.csv");

    const std::list<sAutoEvent>& GetPairs() const { return m_Pairs; }

private:
    std::list<sAutoEvent> m_Pairs;
};
