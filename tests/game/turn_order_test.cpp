#include <gtest/gtest.h>

#include "game/turn_order.h"
#include "tests/test_support.h"

namespace {

sTurnOrderCountry C(const wchar_t* name, int alliance, int strength, bool human = false, bool active = true)
{
    sTurnOrderCountry c;
    c.name = name;
    c.alliance = alliance;
    c.politicalStrength = strength;
    c.human = human;
    c.active = active;
    return c;
}

// Plays impulses the way the turn loop does and returns who moved, impulse by impulse.
std::vector<std::vector<std::wstring>> Play(std::vector<sTurnOrderCountry>& countries, int impulses)
{
    std::vector<std::vector<std::wstring>> order(1);
    while (int(order.size()) <= impulses) {
        const int i = DetermineCurrentCountryIndex(countries);
        if (i < 0) {
            for (auto& c : countries)
                c.finishedTurn = false;
            order.emplace_back();
            continue;
        }
        order.back().push_back(countries[size_t(i)].name);
        countries[size_t(i)].finishedTurn = true;
    }
    order.pop_back();
    return order;
}

TEST(TurnOrder, SidesMoveAxisAlliesCominternNeutralsByStrengthEveryImpulse)
{
    std::vector<sTurnOrderCountry> countries = {
        C(L"Sweden", 0, 30),    C(L"France", 1, 60),   C(L"Italy", 2, 40),     C(L"USSR", 6, 90),
        C(L"Britain", 4, 80),   C(L"Germany", 5, 100), C(L"Poland", 1, 60),    C(L"Romania", 2, 40),
        C(L"Mongolia", 3, 10),  C(L"Spain", 0, 50),    C(L"Dummy", 0, -1),     C(L"Sleeping", 2, 500, false, false),
        C(L"Gone", 1, -5),      C(L"Odd code", 7, 70)};
    testing_support::ClearLog();
    const auto impulses = Play(countries, 2);
    const std::vector<std::wstring> expected = {L"Germany", L"Italy",  L"Romania", L"Britain", L"France", L"Poland",
                                                L"USSR",    L"Mongolia", L"Spain", L"Sweden",  L"Dummy"};
    ASSERT_EQ(impulses.size(), 2u);
    EXPECT_EQ(impulses[0], expected);
    EXPECT_EQ(impulses[1], expected);
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"Wyznaczam aktualne panstwo...", L"Oďż˝. Aktualne panstwo = Germany", L"Wyznaczam aktualne panstwo...",
         L"Alianci. Aktualne panstwo = Britain", L"Komintern. Aktualne panstwo = USSR",
         L"Neutralni. Aktualne panstwo = Spain", L"Neutralni. Aktualne panstwo = Dummy",
         L"Wyznaczam aktualne panstwo...", L"--=== KONIEC IMPULSU ===--"}));
}

TEST(TurnOrder, DetermineCurrentCountryEdgeCases)
{
    testing_support::ClearLog();
    EXPECT_EQ(DetermineCurrentCountryIndex({}), -1);
    EXPECT_EQ(testing_support::LogLines(), (std::vector<std::wstring>{L"Wyznaczam aktualne panstwo..."}));

    std::vector<sTurnOrderCountry> c = {C(L"A", 2, 10), C(L"B", 1, 50)};
    c[0].finishedTurn = true;
    EXPECT_EQ(DetermineCurrentCountryIndex(c), 1);
    // The only one left has strength -5: the impulse ends without it.
    std::vector<sTurnOrderCountry> d = {C(L"A", 2, 10), C(L"B", 1, -5)};
    d[0].finishedTurn = true;
    EXPECT_EQ(DetermineCurrentCountryIndex(d), -1);
    // So on every side; -4 still moves.
    for (int alliance = 0; alliance <= 6; ++alliance) {
        EXPECT_EQ(DetermineCurrentCountryIndex({C(L"B", alliance, -5)}), -1) << alliance;
        EXPECT_EQ(DetermineCurrentCountryIndex({C(L"B", alliance, -4)}), 0) << alliance;
    }
}

TEST(TurnOrder, PickNextCountryFindsTheNextHumanInTheSameOrder)
{
    // Equal strength: the earlier in the vector comes first, for both operations.
    std::vector<sTurnOrderCountry> tie = {C(L"N", 0, 5, true), C(L"A1", 2, 20, true), C(L"A2", 2, 20, true)};
    EXPECT_EQ(PickNextCountryIndex(tie, -1), 1);
    EXPECT_EQ(DetermineCurrentCountryIndex(tie), 1);

    // The first unfinished human in the order.
    std::vector<sTurnOrderCountry> c = {C(L"Neutral", 0, 90, true), C(L"Allied", 1, 10, true),
                                        C(L"Axis AI", 2, 50), C(L"Axis", 2, 20, true)};
    EXPECT_EQ(PickNextCountryIndex(c, 2), 3);
    c[3].finishedTurn = true;
    EXPECT_EQ(PickNextCountryIndex(c, 3), 1);

    // Every human has moved: the next human after the active one in the full order,
    // wrapping to the start.
    for (auto& x : c)
        x.finishedTurn = true;
    EXPECT_EQ(PickNextCountryIndex(c, 3), 1); // after Axis: Allied
    EXPECT_EQ(PickNextCountryIndex(c, 1), 0); // after Allied: Neutral
    EXPECT_EQ(PickNextCountryIndex(c, 0), 3); // after Neutral: wraps to Axis
    // The first of the vector found before or after the active one is the first in the order.
    std::vector<sTurnOrderCountry> e = {C(L"Allied", 1, 20, true), C(L"Allied 2", 1, 10, true), C(L"Neutral", 0, 5, true)};
    std::vector<sTurnOrderCountry> f = {C(L"Allied", 1, 20, true), C(L"Axis", 2, 10, true), C(L"Neutral", 0, 5, true)};
    for (auto* v : {&e, &f})
        for (auto& x : *v)
            x.finishedTurn = true;
    EXPECT_EQ(PickNextCountryIndex(e, 2), 0);
    EXPECT_EQ(PickNextCountryIndex(f, 1), 0);

    // One human, active and finished: nobody.
    std::vector<sTurnOrderCountry> one = {C(L"Solo", 1, 10, true), C(L"AI", 2, 10)};
    one[0].finishedTurn = true;
    EXPECT_EQ(PickNextCountryIndex(one, 0), -1);
    EXPECT_TRUE(CompareCountriesForTurnOrder(C(L"a", 0, 2), C(L"b", 0, 1)));
    EXPECT_FALSE(CompareCountriesForTurnOrder(C(L"a", 0, 1), C(L"b", 0, 1)));
}

} // namespace
