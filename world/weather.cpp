// Weather: the roll of every impulse, and the tables that the map rebuild bakes in.
#include <algorithm>

#include "core/log.h"
#include "core/random.h"
#include "core/text.h"
#include "game/paths.h"
#include "world/map.h"
#include "world/world_files.h"

void cMapa::RollWeather(int month)
{
    // A month outside the year would read past the twelve chances of every hex.
    if (month < 0 || month > 11)
    {
        LogLine(L"ERROR: weather roll for month %i, which does not exist", month);
        return;
    }
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
        {
            sHex& hex = *GetHex(x, y);
            if (hex.IsSea() || !hex.weatherApplies)
                continue;
            const int r = RandomInt(1, 100);
            if (r <= hex.winterChance[month])
            {
                hex.weather = WEATHER_WINTER;
                continue;
            }
            const int r2 = RandomInt(1, 100);
            hex.weather = r2 <= hex.mudChance[month] ? WEATHER_MUD : WEATHER_CLEAR;
        }
}

void cMapa::ApplyWeatherTables(const std::wstring& folderPattern)
{
    ApplyWeatherCsv(folderPattern);
    ApplyAreaCsv(folderPattern, L"winter_area.csv", true);
    ApplyAreaCsv(folderPattern, L"mud_area.csv", false);
}

namespace {
bool IsSkipped(const std::string& line)
{
    return line.empty() || line[0] == '#';
}

// Whole numbers of the fields; false (with the bad field's index) when one is not.
bool ParseFields(const std::vector<std::string>& fields, size_t count, std::vector<int>& out, size_t& bad)
{
    out.assign(count, 0);
    for (size_t i = 0; i < count; ++i)
        if (!ParseInt(std::string_view(fields[i]), out[i]))
        {
            bad = i;
            return false;
        }
    return true;
}

// Calls row(fields, lineNo) for every data row of a weather table that has at least
// minFields fields; shorter rows are logged and skipped. A missing table is logged only.
template <typename F>
void ForEachWeatherRow(const std::wstring& path, size_t minFields, F&& row)
{
    auto lines = ReadTextLines(path);
    if (!lines)
    {
        LogLine(L"ERROR: file does not exist");
        return;
    }
    int lineNo = 0;
    for (const std::string& raw : *lines)
    {
        ++lineNo;
        const std::string line = StripLineEnd(raw);
        if (IsSkipped(line))
            continue;
        std::vector<std::string> fields = SplitText(std::string_view(line), ';');
        if (fields.size() < minFields)
        {
            LogLine(L"WARNING: too few fields in file %s (line %i), line skipped", path, lineNo);
            continue;
        }
        row(fields, lineNo);
    }
}
} // namespace

void cMapa::ApplyWeatherCsv(const std::wstring& folderPattern)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"weather.csv");
    LogLine(L"Loading weather state from weather.csv");
    ForEachWeatherRow(path, 4, [&](const std::vector<std::string>& fields, int lineNo) {
        std::vector<int> v;
        size_t bad = 0;
        if (!ParseFields(fields, 4, v, bad))
        {
            LogLine(L"WARNING: field %i is not a whole number in file %s (line %i), line skipped", int(bad + 1), path,
                    lineNo);
            return;
        }
        // Ignored, and told: the author learns which line missed the map.
        if (!IsInside(v[0], v[1]))
        {
            LogLine(L"WARNING: hex (%i, %i) lies outside the map in file %s (line %i), line skipped", v[0], v[1], path,
                    lineNo);
            return;
        }
        // Another state has no row in the terrain pictures and no entry in the weather tables of play.
        if (v[2] < 0 || v[2] > 2)
        {
            LogLine(L"WARNING: weather state %i is not 0, 1 or 2 in file %s (line %i), line skipped", v[2], path,
                    lineNo);
            return;
        }
        sHex& hex = *GetHex(v[0], v[1]);
        hex.weather = uint32_t(v[2]);
        hex.weatherApplies = v[3] == 1 ? 1 : 0;
    });
}

void cMapa::ApplyAreaCsv(const std::wstring& folderPattern, const wchar_t* fileName, bool winter)
{
    const std::wstring path = JoinPathPattern(folderPattern, fileName);
    LogLine(L"Loading %s", fileName);
    ForEachWeatherRow(path, 16, [&](std::vector<std::string>& fields, int lineNo) {
        bool empty = false;
        for (size_t i = 4; i < 16; ++i)
            if (TrimSpaces(std::string_view(fields[i])).empty())
            {
                fields[i].assign(1, '0');
                empty = true;
            }
        if (empty)
            LogLine(L"WARNING: empty field in file %s (line %i)", path, lineNo);
        std::vector<int> v;
        size_t bad = 0;
        if (!ParseFields(fields, 16, v, bad))
        {
            LogLine(L"WARNING: field %i is not a whole number in file %s (line %i), line skipped", int(bad + 1), path,
                    lineNo);
            return;
        }
        const int x1 = std::max(v[0], 0), x2 = std::min(v[2], width - 1);
        const int y1 = std::max(v[1], 0), y2 = std::min(v[3], height);
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x <= x2; ++x)
            {
                sHex& hex = *GetHex(x, y);
                uint8_t* chance = winter ? hex.winterChance : hex.mudChance;
                for (int m = 0; m < 12; ++m)
                    chance[m] = uint8_t(chance[m] + v[size_t(4 + m)]);
            }
    });
}
