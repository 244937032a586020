// Look-ups and counts of the game object over its units.
#include <optional>
#include <string_view>
#include <utility>

#include "core/fatal.h"
#include "core/format.h"
#include "game/game.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"

cJednostkaMorska* cGra::FindNavalUnitById(int id) const
{
    for (cJednostkaMorska* ship : m_NavalUnits)
        if (ship->m_Id == id)
            return ship;
    return nullptr;
}

cJednostkaLadowa* cGra::FindLandUnitById(int id) const
{
    for (cJednostkaLadowa* unit : m_LandUnits)
        if (unit->m_Id == id)
            return unit;
    return nullptr;
}

cJednostkaLotnicza* cGra::FindAirUnitById(int id) const
{
    for (cJednostkaLotnicza* unit : m_AirUnits)
        if (unit->m_Id == id)
            return unit;
    return nullptr;
}

cJednostka* cGra::FindMapUnit(int category, int id) const
{
    if (category == CATEGORY_LAND)
        return FindLandUnitById(id);
    if (category == CATEGORY_AIR)
        return FindAirUnitById(id);
    return nullptr;
}

int64_t cGra::ComputeCountryScore(int countryId) const
{
    double sum = 0;
    for (const auto* list : {&m_LandUnits, &m_LandUnits2, &m_LandUnits3})
        for (const cJednostkaLadowa* u : *list)
            if (u->m_Owner == countryId)
                sum += u->GetFullStrengthValue();
    for (const cJednostkaLotnicza* u : m_AirUnits)
        if (u->m_Owner == countryId)
            sum += u->GetFullStrengthValue();
    for (const cUnit* u : m_Reserve)
        if (u->m_Owner == countryId && (u->m_Category == CATEGORY_LAND || u->m_Category == CATEGORY_AIR))
            sum += static_cast<const cJednostka*>(u)->GetFullStrengthValue();
    for (const auto* list : {&m_NavalUnits})
        for (const cJednostkaMorska* u : *list)
            if (u->m_Owner == countryId)
                sum += u->m_HP;
    for (const cJednostkaMorska* u : m_NavalReserve)
        if (u->m_Owner == countryId)
            sum += u->m_HP;
    for (const cMiasto* city : m_Cities)
        if (CityControllerId(*city,
                         L"City %s is not controlled by any country (controller id = 0)! (Counting country VPs)") ==
            countryId)
            sum += double(city->VictoryPoints) + double(city->ProductionPoints);
    return int64_t(sum);
}

void cGra::ForEachUnitOf(int category, const std::function<void(const cUnit&)>& visit) const
{
    for (const cUnit* u : m_Reserve)
        if (u->m_Category == category)
            visit(*u);
    if (category == CATEGORY_LAND) {
        for (const auto* list : {&m_LandUnits, &m_LandUnits2, &m_LandUnits3})
            for (const cJednostkaLadowa* u : *list)
                visit(*u);
    } else if (category == CATEGORY_AIR) {
        for (const cJednostkaLotnicza* u : m_AirUnits)
            visit(*u);
    }
}

namespace {
bool IsUnitIdUsed(int category, int id)
{
    bool used = false;
    if (g_Gra)
        g_Gra->ForEachUnitOf(category, [&](const cUnit& u) { used = used || u.m_Id == id; });
    return used;
}
} // namespace

bool IsLandUnitIdUsed(int id)
{
    return IsUnitIdUsed(CATEGORY_LAND, id);
}

bool IsAirUnitIdUsed(int id)
{
    return IsUnitIdUsed(CATEGORY_AIR, id);
}

bool IsUnitInReserve(const cUnit* unit) { return unit->m_InReserve; }

namespace {

constexpr std::pair<int, const wchar_t*> kRomanDigits[] = {{1000, L"M"}, {900, L"CM"}, {500, L"D"}, {400, L"CD"},
                                                             {100, L"C"},  {90, L"XC"},  {50, L"L"},  {40, L"XL"},
                                                             {10, L"X"},   {9, L"IX"},   {5, L"V"},   {4, L"IV"},
                                                             {1, L"I"}};

std::wstring ToRoman(int value)
{
    std::wstring text;
    for (const auto& [step, digits] : kRomanDigits)
        for (; value >= step; value -= step)
            text += digits;
    return text;
}

// The value of a Roman numeral, 0 when the text is not one written the usual way.
int FromRoman(std::wstring_view text)
{
    int value = 0;
    std::wstring_view rest = text;
    for (const auto& [step, digits] : kRomanDigits) {
        const std::wstring_view d(digits);
        while (rest.substr(0, d.size()) == d) {
            value += step;
            rest.remove_prefix(d.size());
        }
    }
    return rest.empty() && value > 0 && value < 4000 && ToRoman(value) == text ? value : 0;
}

struct sNumbering
{
    bool roman = false;
    std::wstring separator;
    int highest = 0;
};

// "<number><separator><type name>": the number's value and style, or false.
bool ReadNumberedName(std::wstring_view name, std::wstring_view typeName, sNumbering& numbering, int& value)
{
    if (typeName.empty() || name.size() <= typeName.size() || name.substr(name.size() - typeName.size()) != typeName)
        return false;
    const std::wstring_view prefix = name.substr(0, name.size() - typeName.size());
    size_t end = 0;
    while (end < prefix.size() && prefix[end] != L' ' && prefix[end] != L'.')
        ++end;
    const std::wstring_view number = prefix.substr(0, end), separator = prefix.substr(end);
    if (number.empty() || separator.empty() || separator.find_first_not_of(L". ") != std::wstring_view::npos)
        return false;
    if (number.find_first_not_of(L"0123456789") == std::wstring_view::npos && number.size() < 6) {
        value = std::stoi(std::wstring(number));
        numbering.roman = false;
    } else if ((value = FromRoman(number)) > 0) {
        numbering.roman = true;
    } else {
        return false;
    }
    numbering.separator = separator;
    return true;
}

} // namespace

std::wstring NewUnitName(const cPanstwo& country, int type, int drawn)
{
    const std::wstring typeName = country.GetUnitTypeName(type);
    std::optional<sNumbering> found;
    auto look = [&](const cUnit* unit) {
        if (!unit || unit->m_Owner != country.ID || unit->m_Type != type)
            return;
        sNumbering numbering;
        int value = 0;
        if (!ReadNumberedName(unit->m_Name, typeName, numbering, value))
            return;
        // The style of the first such unit; the highest number of them all.
        if (!found)
            found = numbering;
        found->highest = std::max(found->highest, value);
    };
    if (g_Gra) {
        for (const auto* list : {&g_Gra->m_LandUnits, &g_Gra->m_LandUnits2, &g_Gra->m_LandUnits3})
            for (const cJednostkaLadowa* unit : *list)
                look(unit);
        for (const cJednostkaLotnicza* unit : g_Gra->m_AirUnits)
            look(unit);
        for (const cJednostkaMorska* unit : g_Gra->m_NavalUnits)
            look(unit);
        for (const cUnit* unit : g_Gra->m_Reserve)
            look(unit);
        for (const cJednostkaMorska* unit : g_Gra->m_NavalReserve)
            look(unit);
    }
    if (!found)
        return FormatText(L"%d %s", drawn, typeName);
    const int next = found->highest + 1;
    const std::wstring number = found->roman ? ToRoman(next) : std::to_wstring(next);
    return number + found->separator + typeName;
}
