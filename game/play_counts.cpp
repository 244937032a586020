#include "game/play_counts.h"

#include <cstdint>
#include <cstdlib>

#include "core/format.h"
#include "core/log.h"
#include "core/text.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "game/table_fields.h"
#include "platform/paths.h"

sPlayCounts g_PlayCounts;

namespace {

// A total grows by one at a time: far below the end of the range.
constexpr int kMaxCount = 1000000000;

struct sNamedCount
{
    const char* name;
    std::atomic<int> sPlayCounts::*count;
};

constexpr sNamedCount kCounts[] = {
    {"impulses", &sPlayCounts::impulsesPlayed},
    {"moves", &sPlayCounts::moves},
    {"land_combats", &sPlayCounts::landCombats},
    {"air_missions", &sPlayCounts::airMissions},
    {"sea_battles", &sPlayCounts::seaBattles},
    {"events_fired", &sPlayCounts::eventsFired},
    {"hexes_captured", &sPlayCounts::hexesCaptured},
    {"units_destroyed", &sPlayCounts::unitsDestroyed},
    {"convoys_executed", &sPlayCounts::convoysExecuted},
    {"purchases", &sPlayCounts::purchases},
    {"air_strikes", &sPlayCounts::airStrikes},
    {"sea_invasions", &sPlayCounts::seaInvasions},
    {"convoys_planned", &sPlayCounts::convoysPlanned},
    {"shore_bombardments", &sPlayCounts::shoreBombardments},
    {"dialogs_answered", &sPlayCounts::dialogsAnswered},
};

// A title on one line of the file: its line ends would start lines of their own.
std::string OneLine(const std::wstring& text)
{
    std::string line = WideToUtf8(text);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

std::string DateFields(const int date[3])
{
    return std::to_string(date[0]) + ";" + std::to_string(date[1]) + ";" + std::to_string(date[2]);
}

} // namespace

void StampWithGameDate(int date[3])
{
    for (int k = 0; k < 3; ++k)
        date[k] = g_Gra ? g_Gra->m_Date[k] : 0;
}

void sPlayCounts::RecordSeaBattle(sSeaBattleRecord record)
{
    std::lock_guard<std::mutex> guard(m_FiredMutex);
    m_SeaBattles.push_back(std::move(record));
}

void sPlayCounts::RecordShipLoss(sShipLossRecord record)
{
    std::lock_guard<std::mutex> guard(m_FiredMutex);
    m_ShipLosses.push_back(std::move(record));
}

void sPlayCounts::RecordConvoyHit(sConvoyHitRecord record)
{
    std::lock_guard<std::mutex> guard(m_FiredMutex);
    m_ConvoyHits.push_back(std::move(record));
}

std::vector<sSeaBattleRecord> sPlayCounts::SeaBattles() const
{
    std::lock_guard<std::mutex> guard(m_FiredMutex);
    return m_SeaBattles;
}

std::vector<sShipLossRecord> sPlayCounts::ShipLosses() const
{
    std::lock_guard<std::mutex> guard(m_FiredMutex);
    return m_ShipLosses;
}

std::vector<sConvoyHitRecord> sPlayCounts::ConvoyHits() const
{
    std::lock_guard<std::mutex> guard(m_FiredMutex);
    return m_ConvoyHits;
}

void sPlayCounts::Save(const std::wstring& folder) const
{
    std::string text = "#Name;Value (an event: its id;option;impulse;month;year;title)\r\n";
    text += "seed;" + std::to_string(seed.load()) + "\r\n";
    for (const sNamedCount& c : kCounts)
        text += std::string(c.name) + ";" + std::to_string((this->*c.count).load()) + "\r\n";
    for (const sFiredEvent& e : FiredEvents())
        text += "event;" + std::to_string(e.id) + ";" + std::to_string(e.option) + ";" + std::to_string(e.impulse) +
                ";" + std::to_string(e.month) + ";" + std::to_string(e.year) + ";" + OneLine(e.title) + "\r\n";
    for (const std::string& record : WatchRecords())
        text += "watch;" + record + "\r\n";
    // Names come from the scenario's files, where a ';' cannot stand inside one.
    for (const sSeaBattleRecord& b : SeaBattles()) {
        text += "sea_battle;" + DateFields(b.date) + ";" + OneLine(b.zone);
        for (const std::wstring& country : b.countries) {
            text += ';';
            text += OneLine(country);
        }
        text += "\r\n";
    }
    for (const sShipLossRecord& l : ShipLosses())
        text += "ship_sunk;" + DateFields(l.date) + ";" + l.by + ";" + OneLine(l.ship) + ";" + OneLine(l.country) +
                ";" + OneLine(l.zone) + ";" + OneLine(l.byCountry) + "\r\n";
    for (const sConvoyHitRecord& h : ConvoyHits())
        text += "convoy_hit;" + DateFields(h.date) + ";" + std::to_string(h.pointsLost) + ";" + OneLine(h.country) +
                ";" + OneLine(h.zone) + ";" + OneLine(h.byCountry) + "\r\n";
    WriteSaveFileOrFail(JoinFolder(folder, kPlayCountsFileName), text);
}

void sPlayCounts::Load(const std::wstring& folderPattern)
{
    Reset();
    const std::wstring path = JoinPathPattern(folderPattern, kPlayCountsFileName);
    const std::optional<std::string> bytes = ReadLoadTextFile(path);
    if (!bytes)
        return;
    LogLine(L"Reading the totals of play from %s", path);
    RefuseIfHeadingLost(path, *bytes);
    const std::vector<std::string> lines = SplitLines(*bytes);
    for (size_t k = 0; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        const int number = int(k) + 1;
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = SplitText(std::string_view(line), ';');
        const cTableFields row(path, number, f);
        auto count = [&](size_t field, int lo, int hi, const char* what) {
            return row.ClampedInt(field, lo, hi, Utf8ToWide(what));
        };
        if (f[0] == "seed" && f.size() >= 2) {
            // A generator's state: 0 to 4294967295.
            int64_t value = 0;
            if (!ParseInt64(Utf8ToWide(f[1]), value) || value < 0 || value > int64_t(UINT32_MAX))
                row.Refuse(1, L"seed", FormatText(L"\"%s\" is no number of 0 to 4294967295", Utf8ToWide(f[1])));
            seed = uint32_t(value);
        } else if (f[0] == "event" && f.size() >= 7) {
            sFiredEvent e;
            e.id = count(1, 0, kMaxCount, "an event's id");
            e.option = count(2, 0, kMaxCount, "an event's option");
            e.impulse = count(3, 0, kMaxCount, "an event's impulse");
            e.month = count(4, 0, kMaxCount, "an event's month");
            e.year = count(5, 0, kMaxCount, "an event's year");
            // The title is the rest of the line, whatever it holds.
            size_t at = 0;
            for (int fields = 0; fields < 6; ++fields)
                at = line.find(';', at) + 1;
            e.title = Utf8ToWide(std::string_view(line).substr(at));
            RecordFiredEvent(std::move(e));
        } else if (f[0] == "sea_battle" && f.size() >= 5) {
            sSeaBattleRecord b;
            for (int k = 0; k < 3; ++k)
                b.date[k] = count(size_t(k) + 1, 0, kMaxCount, "a sea battle's date");
            b.zone = Utf8ToWide(f[4]);
            for (size_t k = 5; k < f.size(); ++k)
                b.countries.push_back(Utf8ToWide(f[k]));
            RecordSeaBattle(std::move(b));
        } else if (f[0] == "ship_sunk" && f.size() >= 9) {
            sShipLossRecord l;
            for (int k = 0; k < 3; ++k)
                l.date[k] = count(size_t(k) + 1, 0, kMaxCount, "a lost ship's date");
            l.by = f[4];
            l.ship = Utf8ToWide(f[5]);
            l.country = Utf8ToWide(f[6]);
            l.zone = Utf8ToWide(f[7]);
            l.byCountry = Utf8ToWide(f[8]);
            RecordShipLoss(std::move(l));
        } else if (f[0] == "convoy_hit" && f.size() >= 8) {
            sConvoyHitRecord h;
            for (int k = 0; k < 3; ++k)
                h.date[k] = count(size_t(k) + 1, 0, kMaxCount, "a convoy's date");
            h.pointsLost = count(4, 0, kMaxCount, "a convoy's points lost");
            h.country = Utf8ToWide(f[5]);
            h.zone = Utf8ToWide(f[6]);
            h.byCountry = Utf8ToWide(f[7]);
            RecordConvoyHit(std::move(h));
        } else if (f[0] == "watch" && line.size() > 6) {
            std::lock_guard<std::mutex> guard(m_FiredMutex);
            m_WatchRecords.push_back(line.substr(6));
        } else {
            bool known = false;
            for (const sNamedCount& c : kCounts)
                if (f[0] == c.name && f.size() >= 2) {
                    (this->*c.count) = count(1, 0, kMaxCount, c.name);
                    known = true;
                }
            if (!known)
                LogLine(L"WARNING: %s, line %i is no total of play; left out", path, number);
        }
    }
}
