#pragma once
// The order in which countries move within an impulse: the Axis, the Allies, the
// Comintern, then the neutral countries; within a group by descending political
// strength, ties in country order.
#include <string>
#include <vector>

// What the order reads of a country.
struct sTurnOrderCountry
{
    bool active = false;
    bool finishedTurn = false;
    bool human = false;
    int alliance = 0;
    int politicalStrength = 0;
    std::wstring name;
};

enum class eTurnGroup { Axis = 0, Allies = 1, Comintern = 2, Neutral = 3, None = 4 };
eTurnGroup TurnGroupOfAlliance(int alliance);

// True when a's political strength is strictly greater than b's.
bool CompareCountriesForTurnOrder(const sTurnOrderCountry& a, const sTurnOrderCountry& b);

// Index of the country that moves next in this impulse, or -1 when every country has
// moved (logged).
int DetermineCurrentCountryIndex(const std::vector<sTurnOrderCountry>& countries);
// Index of the next human-controlled country, or -1; activeIndex is the play state's
// active country (-1 for none).
int PickNextCountryIndex(const std::vector<sTurnOrderCountry>& countries, int activeIndex);

class cPanstwo;

// The same orders over the game's countries.
sTurnOrderCountry TurnOrderView(const cPanstwo& country);
cPanstwo* DetermineCurrentCountry(const std::vector<cPanstwo*>& countries);
// The next human-controlled country after the active one (null for none).
cPanstwo* PickNextCountry(const std::vector<cPanstwo*>& countries, const cPanstwo* active);
