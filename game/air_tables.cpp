#include "game/air_tables.h"

#include <climits>

#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "game/table_fields.h"
#include "platform/paths.h"
#include "world/country.h"

std::string EncodeAirshipAttacks(const std::vector<std::vector<std::wstring>>& perCountry)
{
    std::wstring text = L"#Defender country ID;report";
    for (size_t k = 0; k < perCountry.size(); ++k)
        for (const std::wstring& report : perCountry[k])
            text += FormatText(L"\n%i;%s;", int(k + 1), report);
    return Utf16ToLEBytes(WideToUtf16(text));
}

std::vector<std::vector<std::wstring>> DecodeAirshipAttacks(std::string_view bytes, int countryCount,
                                                            const std::wstring& path)
{
    std::vector<std::vector<std::wstring>> out(size_t(countryCount > 0 ? countryCount : 0));
    const std::wstring text = Utf16ToWide(LEBytesToUtf16(bytes));
    int lineNumber = 0;
    for (const std::wstring& line : SplitText(text, L'\n')) {
        ++lineNumber;
        if (line.empty() || line[0] == L'#')
            continue;
        const size_t first = line.find(L';');
        if (first == std::wstring::npos)
            continue;
        const int country = cTableFields(path, lineNumber, std::vector<std::wstring>{line.substr(0, first)})
                                .Int(0, INT_MIN, INT_MAX, L"Defender country ID");
        if (country < 1 || country > countryCount) {
            LogLine(L"ERROR: airship_attacks.csv, line %i: there is no country %i; line skipped", lineNumber, country);
            continue;
        }
        // The text runs to the closing ';', so a ';' inside a report survives.
        size_t last = line.rfind(L';');
        if (last == first)
            last = line.size();
        out[size_t(country - 1)].push_back(line.substr(first + 1, last - first - 1));
    }
    return out;
}

void SaveAirshipAttacks(std::wstring_view folder, const std::vector<cPanstwo*>& countries)
{
    std::vector<std::vector<std::wstring>> perCountry;
    for (const cPanstwo* c : countries) {
        perCountry.emplace_back();
        for (const sAirshipAttack* a : c->AirshipAttacks)
            perCountry.back().push_back(a->text);
    }
    WriteSaveFileOrFail(JoinFolder(folder, L"airship_attacks.csv"), EncodeAirshipAttacks(perCountry));
}

namespace {
// A table a scenario may leave out: logs the opening and the path, and the missing line
// (which says what is missing then) when the file cannot be read.
// A UTF-16 table is read as it stands: the rules of a UTF-8 text file are not its own.
std::optional<std::string> ReadOptionalTable(const std::wstring& path, std::wstring_view missingLine,
                                             bool utf16 = false)
{
    LogLine(L"Otwieram plik...");
    LogLine(path);
    auto bytes = utf16 ? ReadWholeFile(HostPath(path)) : ReadLoadTextFile(path);
    if (!bytes) {
        LogLine(missingLine);
        return std::nullopt;
    }
    LogLine(L"Otwarcie OK");
    RefuseIfHeadingLost(path, *bytes);
    return bytes;
}
} // namespace

void LoadAirshipAttacks(std::wstring_view pattern, const std::vector<cPanstwo*>& countries)
{
    const std::wstring path = JoinPathPattern(pattern, L"airship_attacks.csv");
    const auto bytes =
        ReadOptionalTable(path, L"Nie uda?o si? otworzy? pliku - mo?e nie istnie? (zadnych raportow do wyswietlenia)",
                          true);
    if (!bytes)
        return;
    const auto perCountry = DecodeAirshipAttacks(*bytes, int(countries.size()), path);
    for (size_t k = 0; k < perCountry.size(); ++k)
        for (const std::wstring& text : perCountry[k])
            countries[k]->AirshipAttacks.push_back(new sAirshipAttack{text});
}

std::string EncodeAirReconUnits(const std::vector<std::vector<std::pair<int, int>>>& perCountry)
{
    std::string out = "#Hexes with units spoted with air recon";
    for (size_t k = 0; k < perCountry.size(); ++k) {
        if (perCountry[k].empty())
            continue;
        out += "\r\nCountry;" + std::to_string(k + 1) + ";";
        for (const auto& [x, y] : perCountry[k])
            out += "\r\n" + std::to_string(x) + ";" + std::to_string(y) + ";";
    }
    return out;
}

std::vector<sReconHex> DecodeAirReconUnits(std::string_view text, int countryCount, int mapWidth, int mapHeight,
                                           const std::wstring& path)
{
    std::vector<sReconHex> out;
    int country = 0;
    int lineNumber = 0;
    for (const std::string& line : SplitLines(text)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> words = SplitText(line, ';');
        const cTableFields row(path, lineNumber, words);
        const bool countryLine = words[0] == "Country";
        const int second = row.Int(1, INT_MIN, INT_MAX, countryLine ? L"Country" : L"Hex Y");
        if (countryLine) {
            country = second;
            if (country < 1 || country > countryCount) {
                LogLine(L"ERROR: airrecon_units.csv, line %i: there is no country %i; its lines are skipped",
                        lineNumber, country);
                country = -1;
            }
            continue;
        }
        if (country == 0) {
            LogLine(L"ERROR: airrecon_units.csv, line %i: a hex before the first Country line; line skipped",
                    lineNumber);
            continue;
        }
        if (country < 0)
            continue;
        const int x = row.Int(0, INT_MIN, INT_MAX, L"Hex X");
        if (x < 0 || second < 0 || (mapWidth > 0 && x >= mapWidth) || (mapHeight > 0 && second >= mapHeight)) {
            LogLine(L"ERROR: airrecon_units.csv, line %i: (%i, %i) is off the map; line skipped", lineNumber, x,
                    second);
            continue;
        }
        out.push_back({country, x, second});
    }
    return out;
}

void SaveAirReconUnits(std::wstring_view folder, const std::vector<std::vector<std::pair<int, int>>>& perCountry)
{
    WriteSaveFileOrFail(JoinFolder(folder, L"airrecon_units.csv"), EncodeAirReconUnits(perCountry));
}

std::vector<sReconHex> LoadAirReconUnits(std::wstring_view pattern, int countryCount, int mapWidth, int mapHeight)
{
    const std::wstring path = JoinPathPattern(pattern, L"airrecon_units.csv");
    const auto bytes =
        ReadOptionalTable(path, L"Nie uda?o si? otworzy? pliku - mo?e nie istnie? (zadnych odkrytych jednostek)");
    if (!bytes)
        return {};
    return DecodeAirReconUnits(*bytes, countryCount, mapWidth, mapHeight, path);
}
