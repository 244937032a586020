#include "game/consts.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "world/save_limits.h"

namespace {

enum class eForm { FromField1, Label, WholeLine };
enum class eType { Int, Float, Double, IntTrunc, FloatPercent };

// What one data row fills: count values into first, then count2 more into second
// (the values some rows keep apart).
struct sRowLayout
{
    eForm form = eForm::FromField1;
    eType type = eType::Int;
    void* first = nullptr;
    int count = 0;
    void* second = nullptr;
    int count2 = 0;
};

// The ten columns of rows 50 to 56, before they become the band tables.
struct sBandColumns
{
    int limit[10];
    int value[6][10]; // rows 51 to 56
};

// One bound for every value, the project's choice rather than a bound per row. Taken as they
// come, values near the ends of 32 bits overflow the rules' products (a unit's action points
// times its supply band's cut of up to 200 %, for one); within this bound a product of two
// values, or of one with a percentage, stays within 32 bits, and tracing every product for a
// bound of each row's own would give a scenario's writer only numbers beyond any the game's
// scale uses (its dice run to 100 and supply to 50; Europe 1939's values lie within -3 and
// 900). What the writer loses is such a number: 10001 action points are refused.
constexpr double kLargestValue = 10000.0;

// Why the value cannot be used, or empty when it is stored. A value that is no number ("abc",
// "nan", an empty field) or no whole number where the row holds whole ones ("1e9", "2.5") is
// refused rather than read as its leading digits; so is one that is no finite number
// ("inf", or beyond the largest float where a float keeps it), which would give nan or go
// beyond every bound in every rule that reads it. A field with words behind its number is
// refused too: "3 4" is a ';' lost, and read as 3 every later value of the row would take
// the place of the one before it.
std::wstring Store(const sRowLayout& layout, int index, const std::string& field)
{
    double value = 0.0;
    long long whole = 0;
    std::string text = field.substr(0, field.find_first_of(";\r\n"));
    // A row of one value holds the number at the start of its line; whatever stands behind it
    // after a space is a note ("30 supply maximum").
    if (layout.form == eForm::WholeLine) {
        const size_t start = text.find_first_not_of(" \t");
        if (start != std::string::npos)
            text = text.substr(start, text.find_first_of(" \t", start) - start);
    }
    const bool single = layout.type == eType::Float || layout.type == eType::FloatPercent;
    if (layout.type == eType::Int) {
        const std::optional<long long> number = WholeNumberIn(Utf8ToWide(text));
        if (!number)
            return L"not a whole number";
        whole = *number;
        value = double(whole);
    } else if (!ParseDouble(std::string_view(text), value) || std::isnan(value))
        return L"not a number";
    if (!std::isfinite(value) || (single && std::fabs(value) > FLT_MAX))
        return L"not a finite number";
    if (std::fabs(value) > kLargestValue)
        return L"outside -10000 to 10000";
    void* base = layout.first;
    if (index >= layout.count) {
        base = layout.second;
        index -= layout.count;
    }
    switch (layout.type) {
    case eType::Int:
        static_cast<int*>(base)[index] = int(whole);
        break;
    case eType::IntTrunc:
        static_cast<int*>(base)[index] = TruncateToInt(value);
        break;
    case eType::Float:
        static_cast<float*>(base)[index] = float(value);
        break;
    case eType::FloatPercent:
        static_cast<float*>(base)[index] = float(value) * 0.01f;
        break;
    case eType::Double:
        static_cast<double*>(base)[index] = value;
        break;
    }
    return {};
}

class cRowTable
{
public:
    cRowTable(sGameConsts& c, sBandColumns& b)
    {
        auto put = [this](int row, eForm form, eType type, void* first, int count, void* second = nullptr,
                          int count2 = 0) { m_Rows[size_t(row)] = sRowLayout{form, type, first, count, second, count2}; };
        using F = eForm;
        using T = eType;
        put(1, F::FromField1, T::Int, c.ImpulsesPerMonth.data(), 12);
        for (int r = 0; r < 6; ++r)
            put(2 + r, F::Label, T::Int, c.LandActionPoints[r], 7);
        put(8, F::FromField1, T::Int, c.AirActionPoints, 3);
        for (int r = 0; r < 5; ++r)
            put(9 + r, F::Label, T::Float, c.LandCombatStrength[r], 7);
        put(14, F::FromField1, T::Int, c.AirFullStrength, 3);
        for (int r = 0; r < 3; ++r)
            put(15 + r, F::Label, T::Int, c.MoveCost[r], 8, &c.MoveCostNextToEnemy[r], 1);
        put(18, F::WholeLine, T::Int, &c.DoctrineEfficiencyBonus, 1);
        for (int r = 0; r < 6; ++r) {
            put(19 + r, F::Label, T::Int, c.LandDefenderLosses[r], 7);
            put(25 + r, F::Label, T::Float, c.LandAttackerLossFactor[r], 7);
        }
        put(31, F::FromField1, T::Float, c.LandAttackFactors, 13);
        put(32, F::FromField1, T::Float, c.LandDefenceFactors, 9);
        put(33, F::WholeLine, T::Float, &c.NonLandDefenceStrength, 1);
        put(34, F::FromField1, T::Int, c.AttackActionPoints, 6);
        for (int r = 0; r < 6; ++r) {
            put(35 + r, F::Label, T::Int, c.AirDefenderLosses[r], 9);
            put(41 + r, F::Label, T::Int, c.AirAttackerLosses[r], 9);
        }
        put(47, F::FromField1, T::Int, c.AirRanges, 5);
        put(48, F::WholeLine, T::Int, &c.MaxSupply, 1);
        put(49, F::WholeLine, T::Int, &c.BaseSupplyEfficiency, 1);
        put(50, F::Label, T::Int, b.limit, 10);
        for (int r = 0; r < 6; ++r)
            put(51 + r, F::Label, T::Int, b.value[r], 10);
        put(57, F::FromField1, T::Int, c.BombardTerrainModifier, 9);
        put(58, F::FromField1, T::Int, c.BombardLevelModifier, 5);
        put(59, F::FromField1, T::Int, c.BombardWeatherModifier, 3);
        put(60, F::WholeLine, T::Int, &c.BombardFortificationFactor, 1);
        put(61, F::Label, T::Float, c.BombardTargetLosses, 6);
        for (int r = 0; r < 6; ++r)
            put(62 + r, F::Label, T::Int, c.BombardAttackerLosses[r], 5);
        put(68, F::Label, T::Int, c.StrategicMoveCost, 7);
        put(69, F::Label, T::Int, c.SeaTransportCost, 7);
        put(70, F::Label, T::Int, c.AmphibiousCost, 7);
        put(71, F::WholeLine, T::Int, &c.FleetRange, 1);
        put(72, F::FromField1, T::Int, c.SeaBattleDetection, 8);
        put(73, F::FromField1, T::Int, c.ShipHitPoints, 6);
        put(74, F::Label, T::Int, c.ShipStrengthA, 6);
        put(75, F::Label, T::Int, c.ShipStrengthB, 6);
        put(76, F::Label, T::Double, c.ShipRepairCost, 6);
        put(77, F::Label, T::Int, c.AmphibiousLandingLosses, 6);
        put(78, F::Label, T::Float, c.LandReplacementCost, 7);
        put(79, F::Label, T::Float, c.LandPurchaseCost, 7);
        put(80, F::Label, T::Float, c.AirReplacementCost, 3);
        put(81, F::Label, T::Float, c.AirPurchaseCost, 3);
        put(82, F::WholeLine, T::Int, &c.LandLevelSurcharge, 1);
        put(83, F::WholeLine, T::Int, &c.AirLevelSurcharge, 1);
        put(84, F::WholeLine, T::Int, &c.CommanderSkillWeight, 1);
        put(85, F::FromField1, T::Float, c.ShipPrice, 4);
        put(86, F::FromField1, T::Float, c.CapacityPriceBase, 3);
        put(87, F::FromField1, T::Float, c.CapacityPricePerUnit, 3);
        put(88, F::Label, T::Int, c.ResearchPointsPerLevel, 7);
        put(89, F::Label, T::Int, c.MaxTechLevel, 7);
        put(90, F::Label, T::Float, c.ResearchLevelPrice, 7);
        put(91, F::Label, T::Float, c.DelayAllianceEntry, 6);
        put(92, F::Label, T::Float, c.HastenAllianceEntry, 6);
        put(93, F::Label, T::Float, c.ElectionsRoll, 3);
        put(94, F::Label, T::Float, c.OrientationChange, 9);
        for (int r = 0; r < 18; ++r)
            put(95 + r, F::Label, T::Int, c.DeclareWar[r], 6);
        put(113, F::Label, T::Float, c.ExertPressure, 6);
        put(114, F::Label, T::Float, c.Coup, 11);
        put(115, F::FromField1, T::Float, c.ProductionShares, 7);
        put(116, F::Label, T::Int, c.AirborneDropLosses, 6);
        put(117, F::Label, T::Float, c.ShoreBombardment, 13);
        put(118, F::FromField1, T::Float, c.RetreatOddsModifier, 7);
        put(119, F::FromField1, T::Float, c.RetreatTerrainModifier, 8);
        put(120, F::FromField1, T::Float, c.SupplyNeed, 11);
        put(121, F::FromField1, T::Float, c.ConvoyRaiding, 5);
        put(122, F::Label, T::Int, c.ShipDamageMax, 6);
        put(123, F::Label, T::Int, c.ShipDamageMin, 6);
        put(124, F::FromField1, T::Int, c.NuclearStrike, 3);
        put(125, F::Label, T::Int, c.StrategicBombDamage, 6);
        put(126, F::Label, T::Int, c.StrategicBombLevel, 5);
        put(127, F::FromField1, T::Int, c.CommanderRadius, 2);
        put(128, F::WholeLine, T::Int, &c.SeaBattleParticipation, 1);
        put(129, F::FromField1, T::Int, c.SeaBattleConditionWeights, 5);
        put(130, F::FromField1, T::Int, c.CommanderExperience, 4);
        put(131, F::FromField1, T::Float, c.SiegeCheck, 7);
        put(132, F::FromField1, T::IntTrunc, c.AirStrategicMoveCost, 3);
        put(133, F::FromField1, T::IntTrunc, c.Row133, 3);
        put(134, F::FromField1, T::IntTrunc, &c.AirborneAssaultWait, 1);
        put(135, F::FromField1, T::Float, c.Mulberry, 4);
        put(136, F::WholeLine, T::Float, &c.UnitUpkeepFactor, 1);
        put(137, F::WholeLine, T::Int, &c.ImpulsesWithoutSupplySource, 1);
        put(138, F::WholeLine, T::Float, &c.WinterBattleFactor, 1);
        put(139, F::WholeLine, T::Float, &c.WinterMoveFactor, 1);
        put(140, F::WholeLine, T::Float, &c.MudBattleFactor, 1);
        put(141, F::WholeLine, T::Float, &c.MudMoveFactor, 1);
        put(142, F::WholeLine, T::Float, &c.Row142, 1);
        put(143, F::WholeLine, T::Int, &c.EntrenchmentCeiling, 1);
        put(144, F::WholeLine, T::Float, &c.EntrenchmentFactor, 1);
        put(145, F::WholeLine, T::Int, &c.AirSearchRadius, 1);
        put(146, F::WholeLine, T::Int, &c.AIFriendlyShipChance, 1);
        put(147, F::WholeLine, T::Int, &c.AIEnemyShipChance, 1);
        put(148, F::WholeLine, T::FloatPercent, &c.AIFrontRatioThreshold, 1);
        put(149, F::WholeLine, T::Int, &c.RetreatBaseChance, 1);
        put(150, F::FromField1, T::FloatPercent, c.ShoreBombTechFactor, 5);
        put(151, F::FromField1, T::FloatPercent, c.RangeTechFactor, 5);
        put(152, F::WholeLine, T::Int, &c.ControlMargin, 1);
        put(153, F::WholeLine, T::Float, &c.AISeaTransportAirRatio, 1);
        put(154, F::FromField1, T::Int, c.PurchaseNumber, 10, c.PurchaseNumberNaval, 4);
        put(155, F::WholeLine, T::Float, &c.CarrierMinHitPointsPercent, 1);
        put(156, F::WholeLine, T::Int, &c.CarrierHitPointsForAir, 1);
        put(157, F::WholeLine, T::Int, &c.FleetAttackRange, 1);
        put(158, F::WholeLine, T::Int, &c.FleetShoreBombRange, 1);
        put(159, F::WholeLine, T::Float, &c.AmphibiousEfficiencyCut, 1);
        put(160, F::WholeLine, T::Int, &c.AmphibiousStrengthFactor, 1);
        put(161, F::FromField1, T::Int, c.PortCapacityToEnter, 6);
        put(162, F::FromField1, T::Int, c.PortCapacityToRepair, 6);
        put(163, F::WholeLine, T::Int, &c.ConvoyValuePP, 1);
        put(164, F::WholeLine, T::Int, &c.ConvoyValueSupply, 1);
        put(165, F::WholeLine, T::Int, &c.SpottingBaseChance, 1);
        put(166, F::FromField1, T::Int, c.SpottingFriendly, 3, &c.SpottingCarrierBonus, 1);
        put(167, F::FromField1, T::Int, c.SpottingEnemy, 3);
        put(168, F::WholeLine, T::Int, &c.ShipSupplyThreshold, 1);
        put(169, F::WholeLine, T::Int, &c.ShipSupplyRadius, 1);
        put(170, F::FromField1, T::Int, c.ShipSupplyAdd, 6);
        put(171, F::FromField1, T::Int, c.ShipSupplyTake, 6);
        put(172, F::WholeLine, T::Int, &c.Row172, 1);
        put(173, F::WholeLine, T::Int, &c.Row173, 1);
        put(174, F::WholeLine, T::Int, &c.SeaBattleRetreatChance, 1);
        put(175, F::WholeLine, T::Int, &c.NuclearRadius, 1);
        put(176, F::FromField1, T::Int, c.PortDamageFactors, 2);
        put(177, F::FromField1, T::Int, c.AirMoveMinSupply, 3);
        put(178, F::FromField1, T::Int, c.PortBombHit, 4);
        put(179, F::FromField1, T::Int, c.AirCommanderChances, 3);
        put(180, F::FromField1, T::Int, c.CommanderSeaBonus, 3);
        put(181, F::WholeLine, T::Int, &c.ShipSupplyComputerMax, 1);
        put(182, F::WholeLine, T::Int, &c.AIRepeatOperationalMoves, 1);
        put(183, F::WholeLine, T::Int, &c.ShipSecondHitChance, 1);
        put(184, F::WholeLine, T::Int, &c.ShipSunkChance, 1);
        put(185, F::WholeLine, T::Float, &c.AIShipRepairChance, 1);
    }

    // Column of the row's first value in its line, counted from 1 among the fields.
    int FirstColumn(int row) const
    {
        return row >= 1 && row <= kConstsRows && m_Rows[size_t(row)].form == eForm::Label ? 2 : 1;
    }

    // Stores the values of the row, and in `columns` the column of each in the line (an empty
    // field before it moves it right); each that cannot be used is logged and handed to `unusable`.
    template <typename F>
    void ReadRow(int row, const std::string& line, std::wstring_view path, int lineNo, std::vector<int>& columns,
                 const F& unusable) const
    {
        columns.clear();
        if (row < 1 || row > kConstsRows)
            return;
        const sRowLayout& layout = m_Rows[size_t(row)];
        if (!layout.first)
            return;
        std::vector<int> fieldColumns{1};
        std::vector<std::string> fields = layout.form == eForm::WholeLine ? std::vector<std::string>{line}
                                                                         : SplitTokens(line, ";", &fieldColumns);
        const size_t skip = layout.form == eForm::Label ? 1 : 0;
        const int total = layout.count + layout.count2;
        for (int k = 0; k < total && skip + size_t(k) < fields.size(); ++k) {
            const std::string& field = fields[skip + size_t(k)];
            columns.push_back(fieldColumns[skip + size_t(k)]);
            const std::wstring why = Store(layout, k, field);
            if (why.empty())
                continue;
            std::string shown = TrimSpaces(field.substr(0, field.find_first_of(";\r\n")));
            if (shown.size() > 40)
                shown = shown.substr(0, 40) + "...";
            unusable(FormatText(L"%s, line %i, column %i (row %i, value %i): \"%s\" is %s", std::wstring(path), lineNo,
                                columns.back(), row, k + 1, Utf8ToWide(shown), why));
        }
    }

private:
    std::array<sRowLayout, kConstsRows + 1> m_Rows{};
};

} // namespace

int sGameConsts::ReadFromText(std::string_view text, std::wstring_view path)
{
    UnusableValues = 0;
    FirstUnusable.clear();
    Path = path;
    RowLines.fill(0);
    RowFirstColumns.fill(1);
    for (std::vector<int>& columns : RowColumns)
        columns.clear();
    sBandColumns bands{};
    for (int c = 0; c < 10; ++c) {
        bands.limit[c] = 50;
        bands.value[3][c] = 100; // row 54
    }
    for (int k = 0; k < kSupplyBands; ++k) {
        SupplyEfficiency[k] = 0;
        LandReplacementMax[k] = 0;
        AirReplacementMax[k] = 0;
    }

    const cRowTable table(*this, bands);
    int row = 0;
    int lineNo = 0;
    size_t pos = 0;
    // A line is taken whole however long it is: cut into pieces, it would move every row
    // after it onto the fields of another.
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        const bool hasEnd = end != std::string_view::npos;
        std::string line(text.substr(pos, hasEnd ? end - pos : std::string_view::npos));
        pos = hasEnd ? end + 1 : text.size();
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (hasEnd)
            line.push_back('\n'); // the line end stays on the last field, as text reading leaves it
        if (!line.empty() && line[0] == '#')
            continue;
        if (line.find_first_not_of(';') == std::string::npos)
            continue; // only a last line without a line end can be empty
        ++row;
        if (row <= kConstsRows) {
            RowLines[size_t(row)] = lineNo;
            RowFirstColumns[size_t(row)] = int8_t(table.FirstColumn(row));
        }
        std::vector<int> columns;
        table.ReadRow(row, line, path, lineNo, columns, [this](const std::wstring& why) {
            LogLine(L"ERROR: %s", why);
            if (UnusableValues++ == 0)
                FirstUnusable = why;
        });
        if (row <= kConstsRows)
            RowColumns[size_t(row)] = std::move(columns);
    }

    ActionPointCut[0] = 100;
    InterceptorSupplyTerm[0] = -4;
    BombardSupplyModifier[0] = 50;
    SupplyEfficiency[0] = BaseSupplyEfficiency;
    int* tables[6] = {SupplyEfficiency, ActionPointCut, InterceptorSupplyTerm,
                      BombardSupplyModifier, LandReplacementMax, AirReplacementMax};
    for (int c = 0; c < 10; ++c)
        for (int k = 1; k < kSupplyBands; ++k)
            if (k <= bands.limit[c])
                for (int t = 0; t < 6; ++t)
                    tables[t][k] = bands.value[t][c];
    long long sum = 0;
    for (int k = kSupplyBands - 1; k >= 1; --k) {
        sum += SupplyEfficiency[k];
        SupplyEfficiency[k] = int(100 - sum);
    }

    ShipHitPointsMax = 1;
    for (int v : ShipHitPoints)
        if (v > ShipHitPointsMax)
            ShipHitPointsMax = v;
    return row;
}

bool sGameConsts::CheckValues()
{
    // Each is logged where it was read.
    bool ok = UnusableValues == 0;
    // Value k's column in its line; one the row leaves out would stand after the last given.
    auto columnOf = [&](int row, int k) {
        const std::vector<int>& columns = RowColumns[size_t(row)];
        if (columns.empty())
            return RowFirstColumns[size_t(row)] + k - 1;
        return k <= int(columns.size()) ? columns[size_t(k - 1)] : columns.back() + k - int(columns.size());
    };
    // The value as the file gives it: a strength of -0.5 is not told as 0.
    auto refuse = [&](int row, double value, int k, const wchar_t* why) {
        const std::wstring line = FormatText(L"%s, line %i, column %i (row %i, value %i): %s, but %s", Path,
                                             RowLines[size_t(row)], columnOf(row, k), row, k, ExactNumberText(value), why);
        LogLine(L"ERROR: %s", line);
        if (ok && FirstUnusable.empty())
            FirstUnusable = line;
        ok = false;
    };
    // The date's day divides by a month's impulses.
    for (int m = 0; m < 12; ++m)
        if (ImpulsesPerMonth[size_t(m)] < 1)
            refuse(1, ImpulsesPerMonth[size_t(m)], m + 1, L"every month needs at least 1 impulse");
    // An air unit bought at no strength would stand on the map already destroyed, and a save
    // reads a strength back only up to 100.
    for (int t = 0; t < 3; ++t)
        if (AirFullStrength[t] < 1 || AirFullStrength[t] > 100)
            refuse(14, AirFullStrength[t], t + 1, L"the full strength of an air unit must lie within 1 and 100");
    // A step that costs nothing would let the range and supply searches walk for ever.
    for (int category = 0; category < 3; ++category) {
        for (int t = 0; t < 8; ++t)
            if (MoveCost[category][t] < 1)
                refuse(15 + category, MoveCost[category][t], t + 1, L"a movement cost must be at least 1");
        if (MoveCostNextToEnemy[category] < 0)
            refuse(15 + category, MoveCostNextToEnemy[category], 9, L"the extra cost next to the enemy must not be negative");
    }
    // A unit's supply, which this caps, indexes the band tables of 51 entries.
    if (MaxSupply < 1 || MaxSupply > kSupplyBands - 1)
        refuse(48, MaxSupply, 1, L"the supply maximum must lie within 1 and 50");
    // A level that needs no points would be reached with no research; technology levels
    // index the tables of levels 1 to 5.
    for (int t = 0; t < 7; ++t) {
        if (ResearchPointsPerLevel[t] < 1)
            refuse(88, ResearchPointsPerLevel[t], t + 1, L"research points per level must be at least 1");
        if (MaxTechLevel[t] < 0 || MaxTechLevel[t] > 5)
            refuse(89, MaxTechLevel[t], t + 1, L"a technology level must lie within 0 and 5");
    }
    // A sea battle's condition is drawn by a roll from 1 to the weights' sum.
    long long weights = 0;
    bool negative = false;
    for (int k = 1; k <= int(std::size(SeaBattleConditionWeights)); ++k) {
        const int w = SeaBattleConditionWeights[size_t(k - 1)];
        if (w < 0) {
            refuse(129, w, k, L"a sea battle weight must not be negative");
            negative = true;
        }
        weights += w;
    }
    // Weights none of which is negative sum to less than 1 only when every one is 0, the
    // first as much as the others; beside a negative one the sum says nothing more.
    if (!negative && weights < 1)
        refuse(129, SeaBattleConditionWeights[0], 1, L"the sea battle weights must sum to at least 1");
    // A percentage taken off the action points (a negative one adds to them): beyond a whole
    // either way a unit would start the impulse with fewer than none, or more than twice its own.
    for (int k = 1; k < kSupplyBands; ++k)
        if (ActionPointCut[k] < -100 || ActionPointCut[k] > 100) {
            const std::wstring line =
                FormatText(L"%s, line %i (row 52), at supply %i: the action point cut is %i, outside -100 to 100",
                           Path, RowLines[52], k, ActionPointCut[k]);
            LogLine(L"ERROR: %s", line);
            if (ok && FirstUnusable.empty())
                FirstUnusable = line;
            ok = false;
            break;
        }
    // A unit's action points and efficiency are cut by its impulses without a source over this.
    if (ImpulsesWithoutSupplySource < 1)
        refuse(137, ImpulsesWithoutSupplySource, 1, L"must be at least 1");
    // Combat divides by these: a land unit's full strength and the siege's two divisors.
    for (int level = 0; level < 5; ++level)
        for (int type = 0; type < 7; ++type)
            if (!(LandCombatStrength[level][type] > 0.0f))
                refuse(9 + level, LandCombatStrength[level][type], type + 1,
                       L"the combat strength of a land unit must be above 0");
    for (int field : {6, 7})
        if (!(SiegeCheck[field - 1] > 0.0f))
            refuse(131, SiegeCheck[field - 1], field, L"a divisor must be above 0");
    // Supply from ships may set a unit's supply to this level, which indexes the band tables.
    if (ShipSupplyThreshold < 0 || ShipSupplyThreshold > kSupplyBands - 1)
        refuse(168, ShipSupplyThreshold, 1, L"a supply level must lie within 0 and 50");
    if (SpottingFriendly[1] == 0)
        refuse(166, SpottingFriendly[1], 2, L"a divisor must not be 0");
    if (SpottingEnemy[1] == 0)
        refuse(167, SpottingEnemy[1], 2, L"a divisor must not be 0");
    // The shore bombardment's massing exponent divides by it.
    if (ShoreBombardment[12] == 0.0f)
        refuse(117, ShoreBombardment[12], 13, L"a divisor must not be 0");
    // A new ship's hit points are its maximum, which a save reads back within 1 and 1000: a
    // ship of none would be counted sunk, and a larger one would come back smaller.
    for (int t = 0; t < 6; ++t)
        if (ShipHitPoints[t] < 1 || ShipHitPoints[t] > kMaxShipHitPoints)
            refuse(73, ShipHitPoints[t], t + 1, L"a new ship's hit points must lie within 1 and 1000");
    // The Convoys window offers a port's size times these: below 0, a value a save refuses.
    if (ConvoyValuePP < 0)
        refuse(163, ConvoyValuePP, 1, L"a convoy's value must not be negative");
    if (ConvoyValueSupply < 0)
        refuse(164, ConvoyValueSupply, 1, L"a convoy's value must not be negative");
    // A commander's experience grows to this, a unit's trench bonus to that, and a new unit
    // and a new Mulberry count from these: a save reads each back only within its range.
    if (CommanderExperience[0] > 1000)
        refuse(130, CommanderExperience[0], 1, L"a commander's experience can be at most 1000");
    if (EntrenchmentCeiling < 0 || EntrenchmentCeiling > 1000)
        refuse(143, EntrenchmentCeiling, 1, L"a trench bonus must lie within 0 and 1000");
    if (AirborneAssaultWait < 0)
        refuse(134, AirborneAssaultWait, 1, L"the impulses between airborne assaults must not be negative");
    if (TruncateToInt(Mulberry[3]) < 0)
        refuse(135, Mulberry[3], 4, L"a Mulberry's life in months must not be negative");
    // Within a radius below 0 the atomic bomb would strike no hex at all.
    if (NuclearRadius < 0)
        refuse(175, NuclearRadius, 1, L"the atomic bomb's radius must not be negative");
    return ok;
}

void sGameConsts::LoadGameConsts(std::wstring_view scenario)
{
    const std::wstring path = JoinPathPattern(MakeFolderPattern(L"data\\scenarios", scenario), L"consts.csv");
    std::string bytes = ReadLoadFileOrFail(path, L"Otwieram plik ze staďż˝ymi ze ďż˝cieďż˝kďż˝...");
    ReadFromText(bytes, path);
    if (!CheckValues())
        FatalExit(1, UnusableValues > 1 ? FormatText(L"%s (more values that cannot be used: %i)", FirstUnusable,
                                                     UnusableValues - 1)
                                        : FirstUnusable);
}
