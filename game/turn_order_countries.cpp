#include "game/turn_order.h"
#include "game/play_state.h"
#include "world/country.h"

namespace {
std::vector<sTurnOrderCountry> Views(const std::vector<cPanstwo*>& countries)
{
    std::vector<sTurnOrderCountry> views;
    views.reserve(countries.size());
    for (const cPanstwo* c : countries)
        views.push_back(TurnOrderView(*c));
    return views;
}
} // namespace

sTurnOrderCountry TurnOrderView(const cPanstwo& country)
{
    sTurnOrderCountry v;
    v.active = country.IsActive;
    v.finishedTurn = country.FinishedTurn;
    v.human = country.HumanControlled;
    v.alliance = country.Alliance;
    v.politicalStrength = country.PoliticalStrength;
    v.name = country.Name;
    return v;
}

cPanstwo* DetermineCurrentCountry(const std::vector<cPanstwo*>& countries)
{
    const int index = DetermineCurrentCountryIndex(Views(countries));
    return index < 0 ? nullptr : countries[size_t(index)];
}

cPanstwo* PickNextCountry(const std::vector<cPanstwo*>& countries, const cPanstwo* active)
{
    int activeIndex = -1;
    for (size_t i = 0; i < countries.size(); ++i)
        if (countries[i] == active)
            activeIndex = int(i);
    const int index = PickNextCountryIndex(Views(countries), activeIndex);
    return index < 0 ? nullptr : countries[size_t(index)];
}

cPanstwo* cPlayState::PickNextCountry(const std::vector<cPanstwo*>& countries) const
{
    return ::PickNextCountry(countries, m_ActiveCountry);
}
