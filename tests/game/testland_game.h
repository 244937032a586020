#pragma once
// The Testland scenario loaded as a game for the rules of play: the units, hexes and
// countries by id, and a screen that notes every request before answering it headlessly.
#include <gtest/gtest.h>

#include <vector>

#include "game/game.h"
#include "game/play_state.h"
#include "tests/game/testland.h"
#include "units/land_unit.h"
#include "world/country.h"
#include "world/map.h"

namespace testland {

class cRequestRecorder : public cRecordingPresentation
{
public:
    RequestHandle Post(sPresentationRequest request) override
    {
        requests.push_back(request);
        return cPresentation::Post(std::move(request));
    }
    int Count(eRequestKind kind) const
    {
        int n = 0;
        for (const auto& r : requests)
            n += r.kind == kind ? 1 : 0;
        return n;
    }
    void ShowHoverHint(const cHoverable* object) override { hoverHint = object; }
    std::vector<sPresentationRequest> requests;
    const cHoverable* hoverHint = nullptr;
};

// Countries of Testland.
constexpr int kAlbion = 1, kBorussia = 2, kRuthenia = 3, kHelvetia = 4, kValdonia = 5;

class TestlandGame : public ::testing::Test
{
protected:
    TestlandGame();
    ~TestlandGame() override;

    cJednostkaLadowa& Land(int id);
    sHex& Hex(int x, int y) { return *game->m_Mapa->GetHex(x, y); }
    cPanstwo& Country(int id) { return *game->m_Countries[size_t(id - 1)]; }
    cPlayState& Play() { return *game->m_PlayState; }
    // The country whose turn it is.
    void Activate(int countryId) { Play().SetActiveCountry(&Country(countryId)); }
    // Clear land around (x, y) within the radius, held and owned by the country, in
    // clear weather; units stay where they are.
    void ClearLand(int x, int y, int radius, int countryId);
    // Puts a unit on another hex at once.
    void Place(cJednostkaLadowa& unit, int x, int y);
    // A new land unit of the country on a free hex, in the game's list, with no impulses
    // spent without supply.
    cJednostkaLadowa* AddLandUnit(int countryId, int x, int y, int type = UNIT_INFANTRY);
    // Both war flags between the two countries.
    void SetWar(int a, int b, bool war);
    // The cost of the unit's range entry at (x, y), -1 when the hex is not in it.
    static int RangeCost(const cJednostka& unit, int x, int y);

    cRequestRecorder screen;
    cGra* game = nullptr;
};

} // namespace testland
