// Readers of land_units.csv, air_units.csv, fleets.csv and naval_units.csv.
#include <algorithm>
#include <climits>
#include <cwchar>
#include <memory>
#include <vector>

#include "core/csv.h"
#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/presentation.h"
#include "game/table_fields.h"
#include "platform/paths.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_tables.h"
#include "world/fleet.h"
#include "world/map.h"
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

// The longest a Mulberry can stand: its life counts down from consts.csv row 135 (at most 10000).
constexpr int kMaxMulberryLife = 10000;
// A unit's supply level: the rules read the band tables at 50 for any above, and a city or a
// harbour may give more.
constexpr int kMaxUnitSupply = 1000000;
// The computer opponent's orders of a land unit: none (-1) or 0 to 15.
constexpr int kMaxAiOrder = 15;
// Counters the rules count up or down every impulse: far beyond any game.
constexpr int kMaxUnitCounter = 1000000;

// One table being read: its reader, the fields of the row in hand, and the load errors.
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
            if (m_Reader.ReadRow(true) > 0) {
                m_Row = cTableFields(m_Path, Line(), m_Reader.m_Fields);
                return true;
            }
            RefuseIfCommentCarriesRow(m_Reader, m_Path, m_Columns);
        }
        return false;
    }
    int FieldCount() const { return int(m_Reader.m_Fields.size()); }
    int Line() const { return m_Reader.GetRowCount(); }
    // The fields of the row in hand, each taken as its column holds (see cTableFields).
    const cTableFields& Row() const { return m_Row; }

    // A column that a save adds after the table's own: older saves and scenarios lack it.
    bool Has(int column) const { return m_Row.Has(size_t(column)); }
    std::wstring Text(int column) const { return m_Reader.m_Fields[size_t(column)].substr(0, kUnitNameMax); }
    int Int(int column, int lo, int hi, std::wstring_view what) const { return m_Row.Int(size_t(column), lo, hi, what); }
    bool Flag(int column, std::wstring_view what) const { return m_Row.Flag(size_t(column), what); }
    // An ID of another table (-1 none): a commander, a ship, a unit.
    int IdOrNone(int column, std::wstring_view what) const { return Int(column, -1, kMaxUnitId, what); }
    // A column of a hex (-1 none): its x when isX, else its y.
    int Coordinate(int column, bool isX, std::wstring_view what) const
    {
        const cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
        const int size = map ? (isX ? map->GetWidth() : map->GetHeight()) : 32768;
        return Int(column, -1, size - 1, what);
    }

    // A row that cannot be taken without losing or misplacing a unit.
    template <typename... Args>
    void Error(std::wstring_view format, const Args&... args)
    {
        const std::wstring what = FormatText(format, args...);
        LogLine(L"%s:%i: %s", m_FileName, Line(), what);
        if (m_Errors++ == 0)
            m_FirstError = FormatText(L"%s, line %i: %s", m_Path, Line(), what);
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
    // A number the rules add to, multiply or convert, kept within lo..hi with a warning.
    int Clamped(int column, int lo, int hi, const wchar_t* what, int id) const
    {
        return m_Row.ClampedInt(size_t(column), lo, hi, FormatText(L"%s of unit ID=%i", what, id));
    }
    float ClampedFloat(int column, float lo, float hi, const wchar_t* what, int id) const
    {
        return float(m_Row.ClampedNumber(size_t(column), lo, hi, FormatText(L"%s of unit ID=%i", what, id)));
    }
    // The ID, which must leave room for the next ones, and the owner, which must be a country
    // (checked against countries.csv once it is read).
    int Id(const wchar_t* what) const { return Int(0, 0, kMaxUnitId, FormatText(L"ID of %s", what)); }
    int Owner(int id, const wchar_t* what) const
    {
        const int owner = Int(2, 1, kMaxCountryId, FormatText(L"Country ID of %s ID=%i", what, id));
        ExpectLater(eLaterCheck::kCountry, m_Path, Line(), FormatText(L"%s ID=%i", what, id), owner);
        return owner;
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
    // Ends the program when any row was an error, naming the first.
    void Finish() const
    {
        if (m_Errors == 1)
            FatalExit(1, m_FirstError);
        if (m_Errors > 1)
            FatalExit(1, FormatText(L"%s (more rows of %s that could not be loaded: %i)", m_FirstError,
                                    m_FileName, m_Errors - 1));
    }

private:
    std::wstring m_FileName;
    std::wstring m_Path;
    int m_Columns;
    cCsvReader m_Reader;
    cTableFields m_Row{std::wstring(), 0, std::vector<std::wstring>()};
    int m_Errors = 0;
    std::wstring m_FirstError;
};

// (x, y) of columns 3 and 4 is (-1, -1) or a hex of the map: a unit anywhere else would stand
// on no hex the rules can read.
std::pair<int, int> Position(const cTableReader& table, int xColumn)
{
    const int x = table.Coordinate(xColumn, true, L"Hex X");
    const int y = table.Coordinate(xColumn + 1, false, L"Hex Y");
    if ((x == -1) != (y == -1))
        table.Row().Refuse(size_t(x == -1 ? xColumn : xColumn + 1), x == -1 ? L"Hex X" : L"Hex Y",
                           FormatText(L"(%i, %i) is neither a hex of the map nor (-1, -1)", x, y));
    return {x, y};
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
void ReadSharedLandColumns(cTableReader& table, cJednostkaLadowa& u, int id, int owner, int x, int y)
{
    u.m_Id = id;
    u.SetName(table.Text(1));
    u.m_Owner = owner;
    u.m_X = x;
    u.m_Y = y;
    // Events may raise a level past 5; the rules add to it.
    u.m_Level = table.Clamped(6, 1, kMaxLevel, L"level", id);
    u.m_WasAttacked = table.Flag(10, L"Was attacked");
    u.m_TransporterId = table.IdOrNone(14, L"TransporterID");
    u.m_ShoreBombardmentEffect = table.ClampedFloat(17, 0.0f, 1000.0f, L"ShoreBombEffect", id);
    // Counted down every impulse; from 10000 on it never is.
    u.m_FreezeTime = table.Clamped(18, 0, kMaxFreezeTime, L"freeze time", id);
    u.m_AiOrder = table.Int(19, -1, kMaxAiOrder, L"AI - order");
    u.m_AiTargetX = table.Coordinate(20, true, L"AI - targetX");
    u.m_AiTargetY = table.Coordinate(21, false, L"AI - targetY");
    u.m_AiUltimateTargetX = table.Coordinate(22, true, L"AI- ultimate target X");
    u.m_AiUltimateTargetY = table.Coordinate(23, false, L"AI - ultimate targetY");
    u.m_EventsEffect = table.Clamped(25, kMinEventsEffect, kMaxEventsEffect, L"EventsEffect", id);
    u.m_TurnsSinceParadrop = table.Clamped(26, 0, kMaxUnitCounter, L"turns from last paradrop", id);
    // What the ends of impulses counted for it, a harbour's entrenchment too.
    u.m_TurnsWithoutSupply = table.Clamped(28, 0, 1000, L"turns without supply", id);
    u.m_TrenchBonus = table.Clamped(29, 0, 1000, L"trench bonus", id);
    u.m_LastX = table.Coordinate(30, true, L"Last X");
    u.m_LastY = table.Coordinate(31, false, L"Last Y");
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
        const int id = table.Id(L"a land unit");
        const int owner = table.Owner(id, L"land unit");
        if (HasId(units, id)) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i sie powtarza.", L"land unit");
            continue;
        }
        NoteUnitLine(L"land_units.csv", id, table.Line());
        const auto [x, y] = Position(table, 3);
        // The rules read their tables by the type: another kind's type would read outside them.
        const int type = table.Row().Code(5, {0, 1, 2, 3, 4, 5, 6, UNIT_MULBERRY}, L"Type");
        const bool inReserve = table.Flag(16, L"InReserve");
        const int transporter = table.IdOrNone(14, L"TransporterID");
        // Counts down every month to the harbour's end; -1 gives it the scenario's whole life.
        const int life = table.Int(27, -1, kMaxMulberryLife, L"mulberry remaining time (months)");

        if (type == UNIT_MULBERRY) {
            // A harbour stands on the map or aboard a ship: it is never in a reserve, and one
            // anywhere else would be nowhere, which no rule can play.
            if (x == -1 && transporter == -1)
                table.Row().Refuse(14, L"TransporterID",
                                   FormatText(L"-1, but Mulberry ID=%i is off the map: it would stand nowhere", id));
            if (inReserve)
                LogLine(L"WARNING: %s: a Mulberry is never in the reserve; ID=%i is not", table.Row().Where(16, L"InReserve"),
                        id);
            // Held until it is in the list: a refused column leaves it to no one.
            auto m = std::make_unique<cMulberry>();
            m->m_RemainingMonths = life == -1 ? MulberryLifeMonths() : life;
            ReadSharedLandColumns(table, *m, id, owner, x, y);
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
                m->m_Spotted = table.Flag(35, L"Spotted");
            }
            m->ResetActionPoints();
            m->m_InReserve = false;
            m->m_AvailableInTurns = 0;
            LogLine(L"Mulberry %s (ID=%i) added", m->m_Name, m->m_Id);
            units.push_back(m.release());
            continue;
        }

        auto u = std::make_unique<cJednostkaLadowa>();
        ReadSharedLandColumns(table, *u, id, owner, x, y);
        u->SetType(type);
        // A unit on the map with no strength left would have been destroyed.
        u->m_Strength = table.Clamped(7, x == -1 ? 0 : 1, 100, L"strength", id);
        u->m_ActionPoints = table.Clamped(8, -kMaxUnitCounter, kMaxUnitCounter, L"action points", id);
        u->m_Attacked = table.Flag(9, L"Attacked");
        u->m_SupplySourceX = table.Coordinate(11, true, L"Supply source X");
        u->m_SupplySourceY = table.Coordinate(12, false, L"Supply source Y");
        u->m_StartingActionPoints = table.Clamped(13, -kMaxUnitCounter, kMaxUnitCounter, L"starting action points", id);
        u->m_Commander = FindCommanderById(table.IdOrNone(15, L"CommanderID"));
        u->m_InReserve = inReserve;
        // A unit off the map is in the reserve or aboard a ship; anywhere else it would be nowhere.
        if (x == -1 && !inReserve && transporter == -1) {
            LogLine(L"WARNING: %s, line %i: land unit ID=%i is off the map, in no reserve and aboard no ship; taken "
                    L"into the reserve",
                    table.Path(), table.Line(), id);
            u->m_InReserve = true;
        }
        u->m_Supply = table.Clamped(24, -1, kMaxUnitSupply, L"supply", id);
        u->m_AvailableInTurns = table.Clamped(32, 0, kMaxUnitCounter, L"available in turns", id);
        // What play had worked out for the unit when it was saved; without it, loading works
        // it out anew.
        if (table.Has(35)) {
            u->m_CommandingCommanderId = table.Clamped(33, -1, kMaxUnitId, L"commanding commander", id);
            u->m_Efficiency = table.Clamped(34, 1, 1000000, L"efficiency", id);
            u->m_Spotted = table.Flag(35, L"Spotted");
        }
        LogLine(L"Land unit %s (ID=%i CountryID=%i) added", u->m_Name, u->m_Id, u->m_Owner);
        units.push_back(u.release());
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
        const int id = table.Id(L"an air unit");
        const int owner = table.Owner(id, L"air unit");
        if (HasId(units, id)) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i jednostki lotniczej sie powtarza.", L"air unit");
            continue;
        }
        NoteUnitLine(L"air_units.csv", id, table.Line());
        std::wstring name = table.Text(1);
        const auto [x, y] = Position(table, 3);
        // As for land units: the air rules read their tables by the type.
        const int type = table.Row().Code(5, {UNIT_FIGHTER, UNIT_TACTICAL_BOMBER, UNIT_STRATEGIC_BOMBER}, L"Type");
        const bool inReserve = table.Flag(15, L"In reserve");
        bool offMap = x == -1;
        if (inReserve != offMap) {
            invalid.push_back(FormatText(L"%s;%d;%d;%d", name, x, y, int(inReserve)));
            LogLine(L"Invalid entry in air_units.csv: jednostka moze byc w rezerwie tylko, jesli ma wspolrzedne (-1, -1)");
            continue;
        }
        auto u = std::make_unique<cJednostkaLotnicza>();
        u->m_Id = id;
        u->SetName(name);
        u->m_Owner = owner;
        u->m_X = x;
        u->m_Y = y;
        u->SetType(type);
        u->m_Level = table.Clamped(6, 1, kMaxLevel, L"level", id);
        u->m_Strength = table.Clamped(7, offMap ? 0 : 1, 100, L"strength", id);
        u->m_Commander = FindCommanderById(table.IdOrNone(8, L"Commander ID"));
        u->m_Attacked = table.Flag(9, L"Attacked");
        u->m_WasAttacked = table.Flag(10, L"Was attacked");
        u->m_SupplySourceX = table.Coordinate(11, true, L"Supply source X");
        u->m_SupplySourceY = table.Coordinate(12, false, L"Supply source Y");
        u->m_ActionPoints = table.Clamped(13, -kMaxUnitCounter, kMaxUnitCounter, L"action points", id);
        u->m_StartingActionPoints = table.Clamped(14, -kMaxUnitCounter, kMaxUnitCounter, L"starting action points", id);
        u->m_InReserve = inReserve;
        u->m_Supply = table.Clamped(16, -1, kMaxUnitSupply, L"supply", id);
        u->m_AirReconDone = table.Flag(17, L"Air recon done?");
        u->m_AvailableInTurns = table.Clamped(18, 0, kMaxUnitCounter, L"available in turns", id);
        // As for land units: what play worked out, kept by a save.
        if (table.Has(20)) {
            u->m_CommandingCommanderId = table.Clamped(19, -1, kMaxUnitId, L"commanding commander", id);
            u->m_Spotted = table.Flag(20, L"Spotted");
        }
        LogLine(L"Air unit %s (ID=%i CountryID=%i) added", u->m_Name, u->m_Id, u->m_Owner);
        units.push_back(u.release());
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
        const int id = table.Id(L"a fleet");
        const int owner = table.Owner(id, L"fleet");
        if (std::any_of(fleets.begin(), fleets.end(), [id](const cFlota* f) { return f->ID == id; })) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i floty sie powtarza.", L"fleet");
            continue;
        }
        auto f = std::make_unique<cFlota>();
        f->ID = id;
        f->SetName(table.Text(1));
        f->owner = owner;
        f->seaNode = table.Int(3, 1, kMaxUnitId, L"Sea node ID");
        // Checked once the sea nodes are read: a fleet in a node that does not exist could not
        // be drawn, moved or fought, and the load is refused then.
        ExpectLater(eLaterCheck::kSeaNode, table.Path(), table.Line(), FormatText(L"fleet ID=%i", id), f->seaNode);
        // The computer opponent gives a patrolling fleet the value its patrol list pairs with the
        // zone, which scripts may set to anything; the rules take 1 for raiders and any other for
        // a regular fleet, and a save keeps it.
        f->formation = table.Int(4, INT_MIN, INT_MAX, L"Formation");
        f->movedThisTurn = table.Flag(5, L"Has Moved?") ? 1 : 0;
        f->aiOrder = table.Int(6, -1, 5, L"Order (AI)");
        f->aiDestination = table.Int(7, -1, kMaxUnitId, L"Destination sea node ID (AI)");
        f->aiInvasionX = table.Coordinate(8, true, L"Invasion hex X(AI)");
        f->aiInvasionY = table.Coordinate(9, false, L"Invasion hex Y (AI)");
        f->isActive = table.Flag(10, L"Is active?") ? 1 : 0;
        LogLine(L"Added fleet %s (ID=%i CountryID=%i Location=%i)", f->name, f->ID, f->owner, f->seaNode);
        fleets.push_back(f.release());
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
        const int id = table.Id(L"a naval unit");
        const int owner = table.Owner(id, L"naval unit");
        if (HasId(units, id)) {
            table.SkipDuplicate(id, L"Blad: Numer ID=%i jednostki morskiej sie powtarza.", L"naval unit");
            continue;
        }
        // The naval rules read hit points, prices and counts by the type (40 to 45).
        const int type = table.Row().Code(
            3, {UNIT_CARRIER, UNIT_BATTLESHIP, UNIT_CRUISER, UNIT_SUBMARINE, UNIT_CARGO, UNIT_AMPHIBIOUS}, L"Type");
        auto s = std::make_unique<cJednostkaMorska>();
        s->m_Id = id;
        s->SetName(table.Text(1));
        s->m_Owner = owner;
        s->SetType(type);
        s->m_FleetId = table.IdOrNone(4, L"Fleet ID");
        // Repairs fill up to the maximum and damage counts down to 0: hit points outside would
        // never be repaired or never sink.
        s->m_MaxHP = table.Clamped(6, 1, kMaxShipHitPoints, L"maximum hit points", id);
        s->m_HP = table.Clamped(5, 0, s->m_MaxHP, L"hit points", id);
        s->m_Commander = FindCommanderById(table.IdOrNone(7, L"Commander ID"));
        s->m_CommandingCommanderId = -1;
        s->m_InReserve = table.Flag(8, L"In reserve");
        s->m_ShoreBombardmentDone = table.Flag(9, L"Shore bombardment done?");
        s->m_AirstrikeDone = table.Flag(10, L"Airstrike done?");
        s->m_AvailableInTurns = table.Clamped(11, 0, kMaxUnitCounter, L"available in turns", id);
        s->m_ReconDone = table.Flag(12, L"Recon done?");
        s->m_CanBeRepaired = table.Flag(13, L"Can be repaired?");
        // A save keeps the commander leading the ship and whether the sea zones show it (the
        // spotting dice rolled it): the loaded game shows what the saved one did.
        if (table.Has(15)) {
            s->m_CommandingCommanderId = table.Clamped(14, -1, kMaxUnitId, L"commanding commander", id);
            s->m_Spotted = table.Flag(15, L"Spotted");
        }
        LogLine(L"Naval unit %s (ID=%i CountryID=%i) added", s->m_Name, s->m_Id, s->m_Owner);
        units.push_back(s.release());
    }
    table.Finish();
}
