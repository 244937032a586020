#include "game/turn_order.h"

#include <algorithm>

#include "core/log.h"

eTurnGroup TurnGroupOfAlliance(int alliance)
{
    switch (alliance) {
    case 2:
    case 5:
        return eTurnGroup::Axis;
    case 1:
    case 4:
        return eTurnGroup::Allies;
    case 3:
    case 6:
        return eTurnGroup::Comintern;
    case 0:
        return eTurnGroup::Neutral;
    default:
        return eTurnGroup::None;
    }
}

bool CompareCountriesForTurnOrder(const sTurnOrderCountry& a, const sTurnOrderCountry& b)
{
    return a.politicalStrength > b.politicalStrength;
}

int DetermineCurrentCountryIndex(const std::vector<sTurnOrderCountry>& countries)
{
    LogLine(L"Wyznaczam aktualne panstwo...");
    if (countries.empty())
        return -1;
    int best[4] = {-1, -1, -1, -1};
    int bestStrength[4] = {-5, -5, -5, -5};
    for (size_t i = 0; i < countries.size(); ++i) {
        const sTurnOrderCountry& c = countries[i];
        if (!c.active || c.finishedTurn)
            continue;
        const eTurnGroup group = TurnGroupOfAlliance(c.alliance);
        if (group == eTurnGroup::None)
            continue;
        const int g = int(group);
        if (c.politicalStrength > bestStrength[g]) {
            best[g] = int(i);
            bestStrength[g] = c.politicalStrength;
        }
    }
    static const wchar_t* const kPatterns[4] = {
        L"Oďż˝. Aktualne panstwo = %s", L"Alianci. Aktualne panstwo = %s",
        L"Komintern. Aktualne panstwo = %s", L"Neutralni. Aktualne panstwo = %s"};
    for (int g = 0; g < 4; ++g)
        if (best[g] >= 0) {
            LogLine(kPatterns[g], countries[size_t(best[g])].name);
            return best[g];
        }
    LogLine(L"--=== KONIEC IMPULSU ===--");
    return -1;
}

int PickNextCountryIndex(const std::vector<sTurnOrderCountry>& countries, int activeIndex)
{
    std::vector<int> groups[4];
    for (size_t i = 0; i < countries.size(); ++i) {
        const eTurnGroup group = TurnGroupOfAlliance(countries[i].alliance);
        if (countries[i].active && group != eTurnGroup::None)
            groups[int(group)].push_back(int(i));
    }
    std::vector<int> fullOrder;
    for (auto& list : groups) {
        std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
            return CompareCountriesForTurnOrder(countries[size_t(a)], countries[size_t(b)]);
        });
        fullOrder.insert(fullOrder.end(), list.begin(), list.end());
    }
    for (auto& list : groups)
        for (int i : list)
            if (!countries[size_t(i)].finishedTurn && countries[size_t(i)].human)
                return i;
    int before = -1, after = -1;
    bool passedActive = false;
    for (int i : fullOrder) {
        if (i == activeIndex) {
            passedActive = true;
            continue;
        }
        if (!countries[size_t(i)].human)
            continue;
        if (!passedActive && before < 0)
            before = i;
        if (passedActive && after < 0)
            after = i;
    }
    return after >= 0 ? after : before;
}
