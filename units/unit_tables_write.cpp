// Writers of land_units.csv, air_units.csv, fleets.csv and naval_units.csv.
#include <string>

#include "core/csv.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text.h"
#include "game/game.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/unit_tables.h"
#include "world/fleet.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

constexpr const wchar_t* kLandHeader =
    L"#ID;Name;Country ID;Hex X;Hex Y;Type;Level (1-5);Current strength (1-100);Action Points;"
    L"Attacked [0=false 1=true];Was attacked [0=false 1=true];Supply source X;Supply source Y;Starting AP;"
    L"TransporterID (-1=not on transporter);CommanderID (-1=no commander assigned);InReserve [0=false 1=true];"
    L"ShoreBombEffect;Freeze time;AI - order;AI - targetX;AI - targetY;AI- ultimate target X;AI - ultimate targetY;"
    L"Supply;EventsEffect;Number of turns from last paradrop;mulberry remaining time (months);Turns without supply;"
    L"Trench bonus multiplier;Last X;Last Y;Available in turns;Commanding commander ID;Efficiency;"
    L"Spotted [0=false 1=true];";

constexpr const wchar_t* kAirHeader =
    L"#ID;Name;Country ID;Hex X;Hex Y;Type;Level (1-5);Strength;Commander ID (-1 = no commander assigned);"
    L"Attacked [0=false 1=true];Was attacked [0=false 1=true];Supply source X;Supply source Y;Action Points;"
    L"Starting AP;In reserve [0=false 1=true];Supply;Air recon done? [0=false 1=true];Available in turns;"
    L"Commanding commander ID;Spotted [0=false 1=true]";

constexpr const wchar_t* kFleetHeader =
    L"#ID;Name;Country ID;Sea node ID;Formation [0=regular 1=raiders];Has Moved? [0=false 1=true];Order (AI);"
    L"Destination sea node ID (AI);Invasion hex X(AI);Invasion hex Y (AI);Is active? [0=false 1=true]";

constexpr const wchar_t* kNavalHeader =
    L"#ID;Name;Country ID;Type;Fleet ID;HP;Max HP;Commander ID (-1 = no commander assigned);"
    L"In reserve [0=false 1=true];Shore bombardment done? [0=false 1=true];Airstrike done? [0=false 1=true];"
    L"Available in turns;Recon done? [0=false 1=true] ;Can be repaired? [0=false 1=true];Commanding commander ID;"
    L"Spotted [0=false 1=true]";


int CommanderId(const cUnit* u)
{
    return u->m_Commander ? u->m_Commander->ID : -1;
}

// UTF-8: the 8-bit code page of this system, in which every table is read back.
void AppendRecord(std::string& out, const std::wstring& record)
{
    out += kLineEnd;
    out += WideToUtf8(record);
}

// The in-reserve column follows the list the unit is written from.
std::wstring LandRecord(const cJednostkaLadowa* u, bool inReserve)
{
    std::wstring r = FormatText(L"%i;%s;", u->m_Id, CsvFieldText(u->m_Name));
    r += FormatText(L"%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;", u->m_Owner, u->m_X, u->m_Y, u->m_Type, u->m_Level,
                    u->GetStrength(), u->m_ActionPoints, int(u->m_Attacked), int(u->m_WasAttacked), u->m_SupplySourceX,
                    u->m_SupplySourceY, u->m_StartingActionPoints, u->m_Transporter ? u->m_Transporter->m_Id : -1,
                    CommanderId(u), int(inReserve));
    // Every digit it has, not six decimals: a loaded game goes on exactly as the saved one.
    r += FormatText(L"%s;", ExactNumberText(u->m_ShoreBombardmentEffect));
    const auto* mulberry = dynamic_cast<const cMulberry*>(u);
    r += FormatText(L"%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;", u->m_FreezeTime, u->m_AiOrder, u->m_AiTargetX,
                    u->m_AiTargetY, u->m_AiUltimateTargetX, u->m_AiUltimateTargetY, u->m_Supply, u->m_EventsEffect,
                    u->m_TurnsSinceParadrop, mulberry ? mulberry->m_RemainingMonths : -1, u->m_TurnsWithoutSupply,
                    u->m_TrenchBonus, u->m_LastX, u->m_LastY, u->m_AvailableInTurns);
    // The columns after the table's own keep what play worked out (the reader says why).
    r += FormatText(L"%i;%i;%i;", u->m_CommandingCommanderId, u->m_Efficiency, int(u->m_Spotted));
    return r;
}

std::wstring AirRecord(const cJednostkaLotnicza* u, bool inReserve)
{
    std::wstring r = FormatText(L"%i;%s;", u->m_Id, CsvFieldText(u->m_Name));
    r += FormatText(L"%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;", u->m_Owner, u->m_X, u->m_Y, u->m_Type,
                    u->m_Level, u->m_Strength, CommanderId(u), int(u->m_Attacked), int(u->m_WasAttacked),
                    u->m_SupplySourceX, u->m_SupplySourceY, u->m_ActionPoints, u->m_StartingActionPoints,
                    int(inReserve), u->m_Supply, int(u->m_AirReconDone), u->m_AvailableInTurns);
    r += FormatText(L"%i;%i;", u->m_CommandingCommanderId, int(u->m_Spotted));
    return r;
}

std::wstring NavalRecord(const cJednostkaMorska* s, bool inReserve)
{
    int fleetId = (!inReserve && s->m_Fleet) ? s->m_Fleet->ID : -1;
    int commanderId = inReserve ? -1 : CommanderId(s);
    std::wstring r = FormatText(L"%i;%s;", s->m_Id, CsvFieldText(s->m_Name));
    r += FormatText(L"%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;%i;", s->m_Owner, s->m_Type, fleetId, s->m_HP, s->m_MaxHP,
                    commanderId, int(inReserve), int(s->m_ShoreBombardmentDone), int(s->m_AirstrikeDone),
                    s->m_AvailableInTurns, int(s->m_ReconDone), int(s->m_CanBeRepaired));
    r += FormatText(L"%i;%i;", s->m_CommandingCommanderId, int(s->m_Spotted));
    return r;
}

// A table's title line and its column header.
std::string TableHead(const wchar_t* title, const wchar_t* header)
{
    std::string out = WideToUtf8(title);
    AppendRecord(out, header);
    return out;
}

void WriteTable(std::wstring_view folder, const wchar_t* fileName, const std::string& bytes)
{
    WriteSaveFileOrFail(JoinFolder(folder, fileName), bytes);
}

} // namespace

std::string EncodeLandUnits()
{
    std::string out = TableHead(L"#Land units", kLandHeader);
    if (!g_Gra)
        return out;
    for (const auto* list : {&g_Gra->m_LandUnits, &g_Gra->m_LandUnits2, &g_Gra->m_LandUnits3})
        for (const cJednostkaLadowa* u : *list)
            AppendRecord(out, LandRecord(u, false));
    for (const cUnit* u : g_Gra->m_Reserve)
        if (u->m_Category == CATEGORY_LAND)
            if (const auto* land = dynamic_cast<const cJednostkaLadowa*>(u))
                AppendRecord(out, LandRecord(land, true));
    return out;
}

std::string EncodeAirUnits()
{
    std::string out = TableHead(L"#Air units", kAirHeader);
    AppendRecord(out, L"#On map");
    if (g_Gra)
        for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
            AppendRecord(out, AirRecord(u, false));
    AppendRecord(out, L"#In reserve");
    if (g_Gra)
        for (const cUnit* u : g_Gra->m_Reserve)
            if (u->m_Category != CATEGORY_LAND)
                if (const auto* air = dynamic_cast<const cJednostkaLotnicza*>(u))
                    AppendRecord(out, AirRecord(air, true));
    return out;
}

std::string EncodeFleets()
{
    std::string out = TableHead(L"#Fleets", kFleetHeader);
    if (!g_Gra)
        return out;
    for (const cFlota* f : g_Gra->m_Fleets)
        AppendRecord(out, FormatText(L"%i;%s;%i;%i;%i;%i;%i;%i;%i;%i;%i;", f->ID, CsvFieldText(f->name), f->owner,
                                     f->seaNode, f->formation, int(f->movedThisTurn), f->aiOrder, f->aiDestination,
                                     f->aiInvasionX, f->aiInvasionY, int(f->isActive)));
    return out;
}

std::string EncodeNavalUnits()
{
    std::string out = TableHead(L"#Naval units", kNavalHeader);
    AppendRecord(out, L"#On map");
    if (g_Gra)
        for (const cJednostkaMorska* s : g_Gra->m_NavalUnits)
            AppendRecord(out, NavalRecord(s, false));
    AppendRecord(out, L"#In reserve");
    if (g_Gra)
        for (const cJednostkaMorska* s : g_Gra->m_NavalReserve)
            AppendRecord(out, NavalRecord(s, true));
    return out;
}

void SaveLandUnits(std::wstring_view folder)
{
    WriteTable(folder, L"land_units.csv", EncodeLandUnits());
}

void SaveAirUnits(std::wstring_view folder)
{
    WriteTable(folder, L"air_units.csv", EncodeAirUnits());
}

void SaveFleets(std::wstring_view folder)
{
    WriteTable(folder, L"fleets.csv", EncodeFleets());
}

void SaveNavalUnits(std::wstring_view folder)
{
    // A ship on the map without a fleet would make the save refuse to load: it waits in the
    // reserve instead.
    SendFleetlessShipsToReserve();
    WriteTable(folder, L"naval_units.csv", EncodeNavalUnits());
}
