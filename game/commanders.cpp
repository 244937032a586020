#include "game/commanders.h"

#include <climits>
#include <memory>

#include "core/csv.h"
#include "core/log.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/table_fields.h"

namespace {
// New commanders take the next id after the highest.
constexpr int kMaxCommanderId = 99999999;
} // namespace

void ReadCommanders(std::string_view text, std::vector<sDowodca*>& commanders, const std::wstring& path)
{
    for (sDowodca* c : commanders)
        delete c;
    commanders.clear();
    cCsvReader csv = cCsvReader::FromBytes(std::string(text));
    while (!csv.AtEnd()) {
        const int count = csv.ReadRow(false);
        RefuseIfCommentCarriesRow(csv, path, 7);
        if (count == 0)
            continue;
        const auto& f = csv.m_Fields;
        const int line = csv.GetRowCount();
        RefuseIfRowsRunTogether(csv, path, 7);
        // A commander left out is told, not dropped unseen: units would lose the bonus the
        // scenario's author gave them with no word why.
        if (count < 7) {
            RefuseIfEndsInsideRow(csv, path, count, 7);
            LogLine(L"ERROR: commanders.csv, line %i: a row of %i fields, a commander has 7; row skipped", line, count);
            CountRowLeftOut(path);
            continue;
        }
        if (f[1].size() > kMaxNameLength) {
            LogLine(L"ERROR: commanders.csv, line %i: the name %s is longer than %i characters; row skipped", line,
                    f[1], int(kMaxNameLength));
            CountRowLeftOut(path);
            continue;
        }
        const cTableFields row(path, line, f, csv.m_Columns);
        auto c = std::make_unique<sDowodca>();
        c->ID = row.Int(0, 0, kMaxCommanderId, L"ID");
        c->Name = f[1];
        c->CountryID = row.Int(2, INT_MIN, INT_MAX, L"Country ID");
        // A kind or state the rules do not know would reach a rule that has none.
        c->Type = row.Int(3, 0, 2, L"Type [0=land 1=air 2=naval]");
        // Skill and experience multiply the percentages of every bonus the commander gives (the
        // best have 5 and 50): far beyond, each roll they enter is certain, at the extremes the
        // products overflow.
        c->Skill = row.ClampedInt(4, 0, 100, L"Skill");
        c->Experience = row.ClampedInt(5, 0, 1000, L"Experience");
        c->State = row.Int(6, 0, 2, L"State [0=not assigned 1=on his way to HQ 2=assigned]");
        // A commander of no country at all is left out, as one of a country the game does not have.
        if (c->CountryID < 1) {
            LogLine(L"ERROR: commanders.csv, line %i: commander %s has country %i; row skipped", line, c->Name,
                    c->CountryID);
            CountRowLeftOut(path);
            continue;
        }
        LogLine(L"Added commander %s (ID=%i CountryID=%i)", c->Name, c->ID, c->CountryID);
        commanders.push_back(c.release());
    }
}

void LeaveOutCommandersBeyond(int countryCount, std::vector<sDowodca*>& commanders,
                              const std::function<void(const sDowodca*)>& forget)
{
    std::erase_if(commanders, [&](sDowodca* c) {
        if (c->CountryID <= countryCount)
            return false;
        LogLine(L"ERROR: commanders.csv: commander %s (ID=%i) belongs to country %i; the game has %i; row skipped",
                c->Name, c->ID, c->CountryID, countryCount);
        CountRowLeftOut(L"commanders.csv");
        forget(c);
        delete c;
        return true;
    });
}

std::string EncodeCommanders(const std::vector<sDowodca*>& commanders)
{
    std::string out = "#Commanders\r\n#ID;Name;Country ID;Type [0=land 1=air 2=naval];Skill;Experience;"
                      "State [0=not assigned 1=on his way to HQ 2=assigned]";
    for (const sDowodca* c : commanders)
        out += "\r\n" + WideToUtf8(FormatText(L"%i;%s;%i;%i;%i;%i;%i;", c->ID, c->Name, c->CountryID, c->Type,
                                              c->Skill, c->Experience, c->State));
    return out;
}

void ReadUnitNames(std::string_view text, int countryCount, const UnitNameSetter& setName, const std::wstring& path)
{
    cCsvReader csv = cCsvReader::FromBytes(std::string(text));
    std::vector<std::wstring> header;
    int headerLine = 0;
    while (!csv.AtEnd()) {
        csv.ReadRow(true);
        if (!csv.m_Fields.empty() && !csv.m_Fields[0].empty()) {
            header = csv.m_Fields;
            headerLine = csv.GetRowCount();
            break;
        }
    }
    while (!csv.AtEnd()) {
        const int count = csv.ReadRow(true);
        const auto& f = csv.m_Fields;
        const int line = csv.GetRowCount();
        if (count == 0 || (count == 1 && f[0].empty()))
            continue;
        // A row is as wide as the heading row names columns.
        if (header.size() >= 2)
            RefuseIfRowsRunTogether(csv, path, int(header.size()));
        if (count < 2) {
            LogLine(L"ERROR: unit_names.csv, line %i: a row needs a unit type and a default name; row skipped", line);
            CountRowLeftOut(path);
            continue;
        }
        const int type = cTableFields(path, line, f).Int(0, INT_MIN, INT_MAX, L"Type");
        if (type < 1 || type > kUnitTypeNames) {
            LogLine(L"ERROR: unit_names.csv, line %i: unit type %s is not within 1 and %i; row skipped", line, f[0],
                    kUnitTypeNames);
            CountRowLeftOut(path);
            continue;
        }
        for (size_t k = 2; k < f.size(); ++k) {
            const bool named = k < header.size() && !header[k].empty();
            const int country = named ? cTableFields(path, headerLine, header).Int(k, INT_MIN, INT_MAX, L"country ID")
                                      : int(k) - 1;
            if (country > countryCount)
                continue;
            if (country < 1) {
                LogLine(L"ERROR: unit_names.csv, line %i: column %i names country %i; cell skipped", line,
                        int(k) + 1, country);
                continue;
            }
            const std::wstring& name = f[k].empty() ? f[1] : f[k];
            // A unit's name holds 99 characters.
            if (name.size() > kMaxNameLength) {
                LogLine(L"ERROR: unit_names.csv, line %i: the name %s is longer than %i characters; cell skipped",
                        line, name, int(kMaxNameLength));
                continue;
            }
            setName(country, type - 1, name);
        }
    }
}
