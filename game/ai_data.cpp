#include "game/ai_data.h"

#include <climits>
#include <cstdlib>
#include <vector>

#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/table_fields.h"
#include "world/save_limits.h"

namespace {

enum class eVar
{
    None, Country, MakesSeaInvasions, CurrentSeaInvasionTarget, CurrentTargets, DoNotAttackCities,
    FortLevelToHoldAtAllCost, ExtraCitiesToGarrison, MaxNumberOfFrontsForSeaInvasion, SeaZonesToPatrol,
    DesiredLandForcesStructure, DesiredTechLevels, DesiredStrategicMovementPoints, NewUnitPurchasePreferences,
    MultipleSideAttackPreferences, OneSideAttackPreferences, AllianceEntryPolicy, CountriesToPress,
    TransportsUnitsToFrontsBySea, PurchaseQueue, NewUnitPurchaseData, MinRatioToPatchFront, MaxUnitCountOnFront,
    MaxCoveringUnitDistance, MaxSafeMoveCost, ObligatorySeaInvasionTargets, ShoreBombardmentSingleUse,
    CarrierTargetsPriorities
};

eVar VariableOf(const std::string& name)
{
    static const std::pair<const char*, eVar> kNames[] = {
        {"Country", eVar::Country},
        {"MakesSeaInvasions", eVar::MakesSeaInvasions},
        {"CurrentSeaInvasionTarget", eVar::CurrentSeaInvasionTarget},
        {"CurrentTargets", eVar::CurrentTargets},
        {"DoNotAttackCities", eVar::DoNotAttackCities},
        {"FortLevelToHoldAtAllCost", eVar::FortLevelToHoldAtAllCost},
        {"ExtraCitiesToGarrison", eVar::ExtraCitiesToGarrison},
        {"MaxNumberOfFrontsForSeaInvasion", eVar::MaxNumberOfFrontsForSeaInvasion},
        {"SeaZonesToPatrol", eVar::SeaZonesToPatrol},
        {"DesiredLandForcesStructure", eVar::DesiredLandForcesStructure},
        {"DesiredTechLevels", eVar::DesiredTechLevels},
        {"DesiredStrategicMovementPoints", eVar::DesiredStrategicMovementPoints},
        {"NewUnitPurchasePreferences", eVar::NewUnitPurchasePreferences},
        {"MultipleSideAttackPreferences", eVar::MultipleSideAttackPreferences},
        {"OneSideAttackPreferences", eVar::OneSideAttackPreferences},
        {"AllianceEntryPolicy", eVar::AllianceEntryPolicy},
        {"CountriesToPress", eVar::CountriesToPress},
        {"TransportsUnitsToFrontsBySea", eVar::TransportsUnitsToFrontsBySea},
        {"PurchaseQueue", eVar::PurchaseQueue},
        {"NewUnitPurchaseData", eVar::NewUnitPurchaseData},
        {"MinRatioToPatchFront", eVar::MinRatioToPatchFront},
        {"MaxUnitCountOnFront", eVar::MaxUnitCountOnFront},
        {"MaxCoveringUnitDistance", eVar::MaxCoveringUnitDistance},
        {"MaxSafeMoveCost", eVar::MaxSafeMoveCost},
        {"ObligatorySeaInvasionTargets", eVar::ObligatorySeaInvasionTargets},
        {"ShoreBombardmentSingleUse", eVar::ShoreBombardmentSingleUse},
        {"CarrierTargetsPriorities", eVar::CarrierTargetsPriorities},
    };
    for (const auto& [text, var] : kNames)
        if (name == text)
            return var;
    return eVar::None;
}

// The decimals are ratios, percentages and prices the opponent weighs its play against: no
// play reaches a million, so a larger one is kept at it with a warning, not refused.
constexpr double kLargestDecimal = kMaxAIDecimal;

class cLineReader
{
public:
    cLineReader(const sAIDataWorld& world, const cTableFields& row, int line, sAIParameters& p)
        : m_World(world), m_Row(row), m_Line(line), m_P(p)
    {
    }

    // Value `index` (from 0) of the variable: field index + 1 of the line. A value that is no
    // number (a decimal where the table says so, a whole one elsewhere) refuses the file.
    void Value(eVar var, int index)
    {
        const size_t field = size_t(index) + 1;
        const std::wstring what = FormatText(L"%s, value %i", m_Row.Text(0), index + 1);
        const bool decimal = var == eVar::MinRatioToPatchFront || var == eVar::ShoreBombardmentSingleUse ||
                             (var == eVar::NewUnitPurchaseData && index % 2 == 1);
        const int v = decimal ? 0 : m_Row.Int(field, INT_MIN, INT_MAX, what);
        auto Decimal = [&] { return float(m_Row.ClampedNumber(field, -kLargestDecimal, kLargestDecimal, what)); };
        switch (var) {
        case eVar::MakesSeaInvasions: m_P.MakesSeaInvasions = v != 0; break;
        case eVar::CurrentSeaInvasionTarget: m_P.CurrentSeaInvasionTarget = v; break;
        case eVar::FortLevelToHoldAtAllCost: m_P.FortLevelToHoldAtAllCost = v; break;
        case eVar::MaxNumberOfFrontsForSeaInvasion: m_P.MaxNumberOfFrontsForSeaInvasion = v; break;
        case eVar::DesiredStrategicMovementPoints: m_P.DesiredStrategicMovementPoints = v; break;
        case eVar::AllianceEntryPolicy: m_P.AllianceEntryPolicy = v; break;
        case eVar::TransportsUnitsToFrontsBySea: m_P.TransportsUnitsToFrontsBySea = v != 0; break;
        case eVar::MaxUnitCountOnFront: m_P.MaxUnitCountOnFront = v; break;
        case eVar::MaxCoveringUnitDistance: m_P.MaxCoveringUnitDistance = v; break;
        case eVar::MaxSafeMoveCost: m_P.MaxSafeMoveCost = v; break;
        case eVar::MinRatioToPatchFront: m_P.MinRatioToPatchFront = Decimal(); break;
        case eVar::CountriesToPress: m_P.CountriesToPress.push_back(v); break;
        case eVar::PurchaseQueue: m_P.PurchaseQueue.push_back(v); break;
        case eVar::DesiredLandForcesStructure: m_P.DesiredLandForcesStructure[index % 5] = v; break;
        case eVar::DesiredTechLevels: m_P.DesiredTechLevels[index % 7] = v; break;
        case eVar::NewUnitPurchasePreferences: m_P.NewUnitPurchasePreferences[index % 14] = v; break;
        case eVar::MultipleSideAttackPreferences: m_P.MultipleSideAttackPreferences[index % 3] = v; break;
        case eVar::OneSideAttackPreferences: m_P.OneSideAttackPreferences[index % 3] = v; break;
        case eVar::CarrierTargetsPriorities:
            if (index < 9)
                m_P.CarrierTargetsPriorities[index] = v;
            else if (index == 9)
                LogLine(L"ai_data.csv, line %i: CarrierTargetsPriorities takes 9 values; the rest are ignored", m_Line);
            break;
        case eVar::NewUnitPurchaseData: {
            auto& d = m_P.NewUnitPurchaseData;
            switch (index) {
            case 0: d.i1 = v; break;
            case 1: d.f1 = Decimal(); break;
            case 2: d.i2 = v; break;
            case 3: d.f2 = Decimal(); break;
            case 4: d.i3 = v; break;
            case 5: d.f3 = Decimal(); break;
            default: break;
            }
            break;
        }
        case eVar::ShoreBombardmentSingleUse:
            if (index < 2)
                m_P.ShoreBombardmentSingleUse[index] = Decimal() / 100.0f;
            break;
        case eVar::CurrentTargets:
            m_Group[index % 3] = v;
            if (index % 3 == 2)
                m_P.CurrentTargets.push_back({m_Group[0], m_Group[1], m_Group[2]});
            break;
        case eVar::SeaZonesToPatrol:
            m_Group[index % 2] = v;
            if (index % 2 == 1)
                m_P.SeaZonesToPatrol.push_back({m_Group[0], m_Group[1]});
            break;
        case eVar::DoNotAttackCities:
        case eVar::ExtraCitiesToGarrison:
        case eVar::ObligatorySeaInvasionTargets:
            m_Group[index % 2] = v;
            if (index % 2 == 1)
                AddCity(var, m_Group[0], m_Group[1]);
            break;
        case eVar::None:
        case eVar::Country:
            break;
        }
    }

private:
    void AddCity(eVar var, int x, int y)
    {
        cMiasto* city = m_World.cityAt ? m_World.cityAt(x, y) : nullptr;
        if (!city)
            FatalExit(1, FormatText(L"ERROR (ai_data.csv, line %i): There is no city at coords (%i,%i)", m_Line, x, y));
        if (var == eVar::ObligatorySeaInvasionTargets) {
            if (!m_World.isPort || !m_World.isPort(city))
                FatalExit(1, FormatText(L"ERROR(ai_data.csv, line %i): City at coords (%i, %i) is not a port", m_Line,
                                        x, y));
            m_P.ObligatorySeaInvasionTargets.push_back(city);
        } else if (var == eVar::DoNotAttackCities) {
            m_P.DoNotAttackCities.push_back(city);
        } else {
            m_P.ExtraCitiesToGarrison.push_back(city);
        }
    }

    const sAIDataWorld& m_World;
    const cTableFields& m_Row;
    int m_Line;
    sAIParameters& m_P;
    int m_Group[3] = {0, 0, 0};
};

} // namespace

void ReadAIData(std::string_view text, const sAIDataWorld& world, const std::wstring& path)
{
    int country = 0;
    int lineNumber = 0;
    // A line is read whole however long: cut short, its rest would read as a line of its own
    // whose first value is taken for a variable's name.
    for (const std::string& line : SplitLines(text)) {
        ++lineNumber;
        if (!line.empty() && line[0] == '#')
            continue;
        std::vector<int> columns;
        const std::vector<std::string> pieces = SplitTokens(line, ";", &columns);
        if (pieces.size() < 2)
            continue; // a name without a value changes nothing
        const eVar var = VariableOf(pieces[0]);
        if (var == eVar::None)
            FatalExit(1, FormatText(L"ERROR: line %i in ai_data.csv has incorrect variable name (%S)!", lineNumber,
                                    pieces[0]));
        const cTableFields row(path, lineNumber, pieces, columns);
        if (var == eVar::Country) {
            country = row.Int(pieces.size() - 1, INT_MIN, INT_MAX, L"Country");
            if (country < 1 || country > world.countryCount) {
                LogLine(L"ERROR: ai_data.csv, line %i: there is no country %i; its lines are skipped", lineNumber,
                        country);
                country = -1;
            }
            continue;
        }
        if (country == 0) {
            LogLine(L"ERROR: ai_data.csv, line %i: %S stands before the first Country line; line skipped", lineNumber,
                    pieces[0]);
            continue;
        }
        if (country < 0)
            continue;
        cLineReader reader(world, row, lineNumber, world.parameters(country));
        for (size_t k = 1; k < pieces.size(); ++k)
            reader.Value(var, int(k - 1));
    }
}

namespace {

template <typename T, size_t N>
std::wstring Values(const T (&values)[N], const wchar_t* format)
{
    std::wstring out;
    for (const T& v : values)
        out += FormatText(format, v);
    return out;
}

} // namespace

std::string EncodeAIData(const sAIDataWorld& world)
{
    std::wstring out = L"# ai data";
    auto cities = [&](const std::list<cMiasto*>& list) {
        std::wstring s;
        for (const cMiasto* c : list) {
            const auto [x, y] = world.cityHex(c);
            s += FormatText(L";%i;%i", x, y);
        }
        return s;
    };
    for (int id = 1; id <= world.countryCount; ++id) {
        const sAIParameters& p = world.parameters(id);
        out += FormatText(L"\r\nCountry;%i", id);
        out += FormatText(L"\r\nMakesSeaInvasions;%i", int(p.MakesSeaInvasions));
        out += FormatText(L"\r\nMaxNumberOfFrontsForSeaInvasion;%i", p.MaxNumberOfFrontsForSeaInvasion);
        out += L"\r\nDoNotAttackCities" + cities(p.DoNotAttackCities);
        out += FormatText(L"\r\nFortLevelToHoldAtAllCost;%i", p.FortLevelToHoldAtAllCost);
        out += L"\r\nExtraCitiesToGarrison" + cities(p.ExtraCitiesToGarrison);
        out += L"\r\nCurrentTargets";
        for (const auto& t : p.CurrentTargets)
            out += FormatText(L";%i;%i;%i", t.a, t.b, t.c);
        out += L"\r\nObligatorySeaInvasionTargets" + cities(p.ObligatorySeaInvasionTargets);
        out += L"\r\nSeaZonesToPatrol";
        for (const auto& z : p.SeaZonesToPatrol)
            out += FormatText(L";%i;%i", z.a, z.b);
        out += L"\r\nDesiredLandForcesStructure" + Values(p.DesiredLandForcesStructure, L";%i");
        out += L"\r\nDesiredTechLevels" + Values(p.DesiredTechLevels, L";%i");
        out += FormatText(L"\r\nDesiredStrategicMovementPoints;%i", p.DesiredStrategicMovementPoints);
        out += L"\r\nNewUnitPurchasePreferences" + Values(p.NewUnitPurchasePreferences, L";%i");
        out += FormatText(L"\r\nCurrentSeaInvasionTarget;%i", p.CurrentSeaInvasionTarget);
        out += L"\r\nMultipleSideAttackPreferences" + Values(p.MultipleSideAttackPreferences, L";%i");
        out += L"\r\nOneSideAttackPreferences" + Values(p.OneSideAttackPreferences, L";%i");
        out += FormatText(L"\r\nAllianceEntryPolicy;%i", p.AllianceEntryPolicy);
        out += L"\r\nCountriesToPress";
        for (int v : p.CountriesToPress)
            out += FormatText(L";%i", v);
        out += FormatText(L"\r\nTransportsUnitsToFrontsBySea;%i", int(p.TransportsUnitsToFrontsBySea));
        out += L"\r\nPurchaseQueue";
        for (int v : p.PurchaseQueue)
            out += FormatText(L";%i", v);
        const auto& d = p.NewUnitPurchaseData;
        out += FormatText(L"\r\nNewUnitPurchaseData;%i;%f;%i;%f;%i;%f", d.i1, d.f1, d.i2, d.f2, d.i3, d.f3);
        out += FormatText(L"\r\nMinRatioToPatchFront;%f", p.MinRatioToPatchFront);
        out += FormatText(L"\r\nMaxUnitCountOnFront;%i", p.MaxUnitCountOnFront);
        out += FormatText(L"\r\nMaxCoveringUnitDistance;%i", p.MaxCoveringUnitDistance);
        out += FormatText(L"\r\nMaxSafeMoveCost;%i", p.MaxSafeMoveCost);
        out += FormatText(L"\r\nShoreBombardmentSingleUse;%f;%f", p.ShoreBombardmentSingleUse[0] * 100.0f,
                          p.ShoreBombardmentSingleUse[1] * 100.0f);
        out += L"\r\nCarrierTargetsPriorities" + Values(p.CarrierTargetsPriorities, L";%i");
    }
    return WideToUtf8(out);
}
