// Readers of land_units.csv, air_units.csv, fleets.csv and naval_units.csv.
#include <algorithm>
#include <cwchar>
#include <vector>

#include "core/csv.h"
#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "game/game.h"
#include "game/paths.h"
#include "game/presentation.h"
#include "platform/paths.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_tables.h"
#include "world/fleet.h"
#include "world/save_limits.h"
#include "world/world_files.h"

namespace {

constexpr int kLandColumns = 33;
constexpr int kAirColumns = 19;
constexpr int kFleetColumns = 11;
constexpr int kNavalColumns = 14;
// Ids are counted up from the highest one read; this leaves the counters room.
constexpr int kMaxUnitId = 99999999;
constexpr int kMaxCountryId = 255;
constexpr int kMaxLevel = 1000;

// One table being read: its reader, the line of the row in hand, and the load errors.
class cTableReader
{
public:
    cTableReader(const std::wstring& folderPattern, const wchar_t* fileName, int columns, const wchar_t* openingLine)
        : m_FileName(fileName), m_Path(JoinPathPattern(folderPattern, fileName)), m_Columns(columns),
          m_Reader(cCsvReader::FromBytes(
              ReadLoadFileOrFail(m_Path, openingLine, std::wstring(kOpenFailed) + L" " + m_Path)))
    {
    }

    // The next data row; false at the end. Empty fields keep their place.
    bool NextRow()
    {
        while (!m_Reader.AtEnd()) {
            if (m_Reader.ReadRow(true) > 0)
                return true;
            RefuseIfCommentCarriesRow(m_Reader, m_Path, m_Columns);
        }
        return false;
    }
    int FieldCount() const { return int(m_Reader.m_Fields.size()); }
    int Line() const { return m_Reader.GetRowCount(); }

    int Int(int column) const { return LeadingInt(m_Reader.m_Fields[column]); }
    // A column that a save adds after the table's own: older saves and scenarios lack it.
    bool Has(int column) const { return FieldCount() > column && !m_Reader.m_Fields[column].empty(); }
    bool Bool(int column) const { return Int(column) != 0; }
    float Float(int column) const { return float(std::wcstod(m_Reader.m_Fields[column].c_str(), nullptr)); }
    std::wstring Text(int column) const { return m_Reader.m_Fields[column].substr(0, kUnitNameMax); }

    // A row that cannot be taken without losing or misplacing a unit.
    template <typename... Args>
    void Error(std::wstring_view format, const Args&... args)
    {
        LogLine(L"%s:%i: %s", m_FileName, Line(), FormatText(format, args...));
        ++m_Errors;
    }
    // A row left out, with its reason.
    template <typename... Args>
    void Skip(std::wstring_view format, const Args&... args)
    {
        LogLine(L"%s:%i: %s", m_FileName, Line(), FormatText(format, args...));
        CountRowLeftOut(m_Path);
    }
    // False, with the row left out, when it has fewer fields than the table's columns; `what`
    // names what one row holds ("a fleet"). Logged: a unit left out unseen is a unit lost.
    bool HasColumns(const wchar_t* what)
    {
        RefuseIfRowsRunTogether(m_Reader, m_Path, m_Columns);
        if (FieldCount() >= m_Columns)
            return true;
        RefuseIfEndsInsideRow(m_Reader, m_Path, FieldCount(), m_Columns);
        Skip(L"row of %i fields left out: %s has %i", FieldCount(), what, m_Columns);
        return false;
    }
    // A number the rules add to, multiply or convert, kept within lo..hi (see ClampedValue).
    int Clamped(int column, int lo, int hi, const wchar_t* what, int id)
    {
        return ClampedValue(Int(column), lo, hi, m_Path, Line(), FormatText(L"%s of unit ID=%i", what, id));
    }
    float ClampedFloat(int column, float lo, float hi, const wchar_t* what, int id)
    {
        return float(ClampedValue(std::wcstod(m_Reader.m_Fields[column].c_str(), nullptr), lo, hi, m_Path, Line(), FormatText(L"%s of unit ID=%i", what, id)));
    }
    // False, with the row refused, when the ID could not take a next one after it or the
    // owner is no country at all; the owner is checked against countries.csv once it is read.
    bool IdAndOwnerUsable(int id, int owner, const wchar_t* what)
    {
        if (id < 0 || id > kMaxUnitId) {
            Error(L"%s ID=%i is outside 0 to %i", what, id, kMaxUnitId);
            return false;
        }
        if (owner < 1 || owner > kMaxCountryId) {
            Error(L"%s ID=%i belongs to country %i, which cannot be", what, id, owner);
            return false;
        }
        ExpectLater(eLaterCheck::kCountry, m_Path, Line(), FormatText(L"%s ID=%i", what, id), owner);
        return true;
    }
    const std::wstring& Path() const { return m_Path; }

    // A row whose ID an earlier row has: the old log line, then the reason it is left out.
    // Orders, plans, transports and events find a unit (and ships their fleet) by its ID: two
    // of one ID would stand in for each other.
    void SkipDuplicate(int id, std::wstring_view oldLine, const wchar_t* what)
    {
        LogLine(oldLine, id);
        Skip(L"%s ID=%i is left out: another %s has that ID", what, id, what);
    }
    // Ends the program when any row was an error.
    void Finish() const
    {
        if (m_Errors > 0)
            FatalExit(1, FormatText(L"%s: %i rows could not be loaded", m_FileName, m_Errors));
    }

private:
    std::wstring m_FileName;
    std::wstring m_Path;
    int m_Columns;
    cCsvReader m_Reader;
    int m_Errors = 0;
};

// (x, y) is (-1, -1) or a hex of the map: a unit anywhere else would stand on no hex the
// rules can read.
bool IsValidPosition(int x, int y)
{
    return (x == -1 && y == -1) || IsOnGameMap(x, y);
}

// The commander's record is not pointed back at the unit (see sDowodca).
sDowodca* FindCommanderById(int id)
{
    return (g_Gra && id >= 0) ? g_Gra->FindCommander(id) : nullptr;
}

template <typename T>
bool HasId(const std::list<T*>& list, int id)
{
    return std::any_of(list.begin(), list.end(), [id](const T* u) { return u->m_Id == id; });
}

// The columns a land unit and a mulberry read alike.
void ReadSharedLandColumns(cTableReader& table, cJednostkaLadowa& u, int id, int x, int y)
{
    u.m_Id = id;
    u.SetName(table.Text(1));
    u.m_Owner = table.Int(2);
    u.m_X = x;
    u.m_Y = y;
    // Events may raise a level past 5; the rules add to it.
    u.m_Level = table.Clamped(6, 1, kMaxLevel, L"level", id);
    u.m_WasAttacked = table.Bool(10);
    u.m_TransporterId = table.Int(14);
    u.m_ShoreBombardmentEffect = table.ClampedFloat(17, 0.0f, 1000.0f, L"ShoreBombEffect", id);
    // Counted down every impulse; from 10000 on it never is.
    u.m_FreezeTime = table.Clamped(18, 0, kMaxFreezeTime, L"freeze time", id);
    u.m_AiOrder = table.Int(19);
    u.m_AiTargetX = table.Int(20);
    u.m_AiTargetY = table.Int(21);
    u.m_AiUltimateTargetX = table.Int(22);
    u.m_AiUltimateTargetY = table.Int(23);
    u.m_EventsEffect = table.Clamped(25, kMinEventsEffect, kMaxEventsEffect, L"EventsEffect", id);
    u.m_TurnsSinceParadrop = table.Int(26);
    // What the ends of impulses counted for it, a harbour's entrenchment too.
    u.m_TurnsWithoutSupply = table.Clamped(28, 0, 1000, L"turns without supply", id);
    u.m_TrenchBonus = table.Clamped(29, 0, 1000, L"trench bonus", id);
    u.m_LastX = table.Int(30);
    u.m_LastY = table.Int(31);
}

template <typename T>
void DestroyAll(std::list<T*>& list)
{
    for (T* item : list)
        delete item;
    list.clear();
}

} // namespace

void LoadLandUnits(const std::wstring& folderPattern, std::list<cJednostkaLadowa*>& units)
{
    cTableReader table(folderPattern, L"land_units.csv", kLandColumns,
                       L"Otwieram plik z jednostkami lďż˝dowymi ze ďż˝cieďż˝kďż˝...");
    DestroyAll(units);
    while (table.NextRow()) {
        if (!table.HasColumns(L"a land unit"))
            continue;
        int id = table.Int(0);
        if (!table.IdAndOwnerUsable(id, table.Int(2), L"land unit"))
            continue;
        if (HasId(units, id)) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i sie powtarza.", L"land unit");
            continue;
        }
        int x = table.Int(3), y = table.Int(4), type = table.Int(5);
        if (!IsValidPosition(x, y)) {
            table.Error(L"land unit ID=%i stands at (%i, %i), off the map", id, x, y);
            continue;
        }
        // The rules read their tables by the type: another kind's type would read outside them.
        if (!IsLandType(type) && type != UNIT_MULBERRY) {
            table.Error(L"land unit ID=%i has type %i, which is not a land type", id, type);
            continue;
        }

        // A unit off the map is in the reserve or aboard a ship; anywhere else it would be nowhere.
        const bool nowhere = x == -1 && y == -1 && !table.Bool(16) && table.Int(14) == -1;
        if (type == UNIT_MULBERRY && nowhere) {
            table.Error(L"Mulberry ID=%i stands nowhere: off the map and aboard no ship", id);
            continue;
        }
        if (type == UNIT_MULBERRY) {
            auto* m = new cMulberry();
            int life = table.Int(27);
            m->m_RemainingMonths = life == -1 ? MulberryLifeMonths() : life;
            ReadSharedLandColumns(table, *m, id, x, y);
            m->SetType(UNIT_MULBERRY);
            m->SetStrength(-1);
            m->SetSupplySourceX(-1);
            m->SetSupplySourceY(-1);
            m->SetSupply(-1);
            m->SetStartingActionPoints(-1);
            m->m_Commander = nullptr;
            m->m_CommandingCommanderId = -1;
            m->m_Spotted = true;
            // A saved harbour is as play left it: its worth and whether it was seen.
            if (table.Has(35)) {
                m->m_Efficiency = table.Clamped(34, 1, 1000000, L"efficiency", id);
                m->m_Spotted = table.Bool(35);
            }
            m->ResetActionPoints();
            m->m_InReserve = false;
            m->m_AvailableInTurns = 0;
            units.push_back(m);
            LogLine(L"Mulberry %s (ID=%i) added", m->m_Name, m->m_Id);
            continue;
        }

        auto* u = new cJednostkaLadowa();
        ReadSharedLandColumns(table, *u, id, x, y);
        u->SetType(type);
        // A unit on the map with no strength left would have been destroyed.
        u->m_Strength = table.Clamped(7, x == -1 && y == -1 ? 0 : 1, 100, L"strength", id);
        u->m_ActionPoints = table.Int(8);
        u->m_Attacked = table.Bool(9);
        u->m_SupplySourceX = table.Int(11);
        u->m_SupplySourceY = table.Int(12);
        u->m_StartingActionPoints = table.Int(13);
        u->m_Commander = FindCommanderById(table.Int(15));
        u->m_InReserve = table.Bool(16);
        if (nowhere) {
            LogLine(L"WARNING: %s, line %i: land unit ID=%i is off the map, in no reserve and aboard no ship; taken "
                    L"into the reserve",
                    table.Path(), table.Line(), id);
            u->m_InReserve = true;
        }
        u->m_Supply = table.Int(24);
        u->m_AvailableInTurns = table.Int(32);
        // What play had worked out for the unit when it was saved; without it, loading works
        // it out anew.
        if (table.Has(35)) {
            u->m_CommandingCommanderId = table.Clamped(33, -1, kMaxUnitId, L"commanding commander", id);
            u->m_Efficiency = table.Clamped(34, 1, 1000000, L"efficiency", id);
            u->m_Spotted = table.Bool(35);
        }
        LogLine(L"Land unit %s (ID=%i CountryID=%i) added", u->m_Name, u->m_Id, u->m_Owner);
        units.push_back(u);
    }
    table.Finish();
}

void LoadAirUnits(const std::wstring& folderPattern, std::list<cJednostkaLotnicza*>& units)
{
    cTableReader table(folderPattern, L"air_units.csv", kAirColumns,
                       L"Otwieram plik z jednostkami lotniczymi ze ďż˝cieďż˝kďż˝...");
    DestroyAll(units);
    std::vector<std::wstring> invalid;
    while (table.NextRow()) {
        if (!table.HasColumns(L"an air unit"))
            continue;
        int id = table.Int(0);
        if (!table.IdAndOwnerUsable(id, table.Int(2), L"air unit"))
            continue;
        if (HasId(units, id)) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i jednostki lotniczej sie powtarza.", L"air unit");
            continue;
        }
        std::wstring name = table.Text(1);
        int x = table.Int(3), y = table.Int(4), type = table.Int(5);
        bool inReserve = table.Bool(15);
        if (!IsValidPosition(x, y)) {
            table.Error(L"air unit ID=%i stands at (%i, %i), off the map", id, x, y);
            continue;
        }
        // As for land units: the air rules read their tables by the type.
        if (!IsAirType(type)) {
            table.Error(L"air unit ID=%i has type %i, which is not an air type", id, type);
            continue;
        }
        bool offMap = x == -1 && y == -1;
        if (inReserve != offMap) {
            invalid.push_back(FormatText(L"%s;%d;%d;%d", name, x, y, int(inReserve)));
            LogLine(L"Invalid entry in air_units.csv: jednostka moze byc w rezerwie tylko, jesli ma wspolrzedne (-1, -1)");
            continue;
        }
        auto* u = new cJednostkaLotnicza();
        u->m_Id = id;
        u->SetName(name);
        u->m_Owner = table.Int(2);
        u->m_X = x;
        u->m_Y = y;
        u->SetType(type);
        u->m_Level = table.Clamped(6, 1, kMaxLevel, L"level", id);
        u->m_Strength = table.Clamped(7, offMap ? 0 : 1, 100, L"strength", id);
        u->m_Commander = FindCommanderById(table.Int(8));
        u->m_Attacked = table.Bool(9);
        u->m_WasAttacked = table.Bool(10);
        u->m_SupplySourceX = table.Int(11);
        u->m_SupplySourceY = table.Int(12);
        u->m_ActionPoints = table.Int(13);
        u->m_StartingActionPoints = table.Int(14);
        u->m_InReserve = inReserve;
        u->m_Supply = table.Int(16);
        u->m_AirReconDone = table.Bool(17);
        u->m_AvailableInTurns = table.Int(18);
        // As for land units: what play worked out, kept by a save.
        if (table.Has(20)) {
            u->m_CommandingCommanderId = table.Clamped(19, -1, kMaxUnitId, L"commanding commander", id);
            u->m_Spotted = table.Bool(20);
        }
        LogLine(L"Air unit %s (ID=%i CountryID=%i) added", u->m_Name, u->m_Id, u->m_Owner);
        units.push_back(u);
    }
    table.Finish();
    if (!invalid.empty()) {
        LogLine(L"Invalid entries from air_units.csv:");
        for (const auto& line : invalid)
            LogLine(line);
        Presentation().MessageBox(L"There where invalid entries in air_units.csv, see ConsoleOut for details. "
                                  L"This does not break the game, click OK to continue",
                                  L"air_units.csv");
    }
}

void LoadFleets(const std::wstring& folderPattern, std::list<cFlota*>& fleets)
{
    cTableReader table(folderPattern, L"fleets.csv", kFleetColumns,
                       L"Otwieram plik z jednostkami morskimi ze ďż˝cieďż˝kďż˝...");
    DestroyAll(fleets);
    while (table.NextRow()) {
        if (!table.HasColumns(L"a fleet"))
            continue;
        int id = table.Int(0);
        if (!table.IdAndOwnerUsable(id, table.Int(2), L"fleet"))
            continue;
        if (std::any_of(fleets.begin(), fleets.end(), [id](const cFlota* f) { return f->ID == id; })) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i floty sie powtarza.", L"fleet");
            continue;
        }
        auto* f = new cFlota();
        f->ID = id;
        f->SetName(table.Text(1));
        f->owner = table.Int(2);
        f->seaNode = table.Int(3);
        // Checked once the sea nodes are read: a fleet in a node that does not exist could not
        // be drawn, moved or fought, and the load is refused then.
        ExpectLater(eLaterCheck::kSeaNode, table.Path(), table.Line(), FormatText(L"fleet ID=%i", id), f->seaNode);
        f->formation = table.Int(4);
        f->movedThisTurn = table.Bool(5) ? 1 : 0;
        f->aiOrder = table.Int(6);
        f->aiDestination = table.Int(7);
        f->aiInvasionX = table.Int(8);
        f->aiInvasionY = table.Int(9);
        f->isActive = table.Bool(10) ? 1 : 0;
        LogLine(L"Added fleet %s (ID=%i CountryID=%i Location=%i)", f->name, f->ID, f->owner, f->seaNode);
        fleets.push_back(f);
    }
    table.Finish();
}

void LoadNavalUnits(const std::wstring& folderPattern, std::list<cJednostkaMorska*>& units)
{
    cTableReader table(folderPattern, L"naval_units.csv", kNavalColumns,
                       L"Otwieram plik z jednostkami morskimi ze ďż˝cieďż˝kďż˝...");
    DestroyAll(units);
    while (table.NextRow()) {
        if (!table.HasColumns(L"a naval unit"))
            continue;
        int id = table.Int(0);
        if (!table.IdAndOwnerUsable(id, table.Int(2), L"naval unit"))
            continue;
        if (HasId(units, id)) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i jednostki morskiej sie powtarza.", L"naval unit");
            continue;
        }
        int type = table.Int(3);
        // The naval rules read hit points, prices and counts by the type (40 to 45).
        if (!IsNavalType(type)) {
            table.Error(L"naval unit ID=%i has type %i, which is not a naval type", id, type);
            continue;
        }
        auto* s = new cJednostkaMorska();
        s->m_Id = id;
        s->SetName(table.Text(1));
        s->m_Owner = table.Int(2);
        s->SetType(type);
        s->m_FleetId = table.Int(4);
        // Repairs fill up to the maximum and damage counts down to 0: hit points outside would
        // never be repaired or never sink.
        s->m_MaxHP = table.Clamped(6, 1, 1000, L"maximum hit points", id);
        s->m_HP = table.Clamped(5, 0, s->m_MaxHP, L"hit points", id);
        s->m_Commander = FindCommanderById(table.Int(7));
        s->m_CommandingCommanderId = -1;
        s->m_InReserve = table.Bool(8);
        s->m_ShoreBombardmentDone = table.Bool(9);
        s->m_AirstrikeDone = table.Bool(10);
        s->m_AvailableInTurns = table.Int(11);
        s->m_ReconDone = table.Bool(12);
        s->m_CanBeRepaired = table.Bool(13);
        // A save keeps the commander leading the ship and whether the sea zones show it (the
        // spotting dice rolled it): the loaded game shows what the saved one did.
        if (table.Has(15)) {
            s->m_CommandingCommanderId = table.Clamped(14, -1, kMaxUnitId, L"commanding commander", id);
            s->m_Spotted = table.Bool(15);
        }
        LogLine(L"Naval unit %s (ID=%i CountryID=%i) added", s->m_Name, s->m_Id, s->m_Owner);
        units.push_back(s);
    }
    table.Finish();
}
