#pragma once
// Testland at sea: its ships and fleets by id, and a screen that lets a test act while the
// game waits on a request (as the sea-battle screen would).
//
// Ships: 1 HMS Ark Royal (carrier) and 2 HMS Warspite (battleship) in fleet 1, Home Fleet,
// Albion, node 2 Channel; 3 Transport Anna (cargo, carrying land unit 2) in fleet 2, Dover
// port (node 4); 4 Bismarck (battleship, commander Raeder), 5 Hipper (cruiser) and
// 7 Landungsflotte (amphibious) in fleet 3, Hamburgum port (node 5), Borussia; 6 U-47
// (submarine) in fleet 4, raiders, node 1 North Sea.
#include <functional>

#include "game/reports.h"
#include "tests/game/testland_game.h"
#include "tests/units/unit_test_game.h"
#include "units/naval_unit.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

namespace naval_tests {

using unit_tests::RawFor;
using namespace testland;

constexpr int kChannel = 2, kNorthSea = 1, kDoverPort = 4, kHamburgumPort = 5;

// Notes every request, lets the test act on one before it is answered headlessly.
class cActingScreen : public cRequestRecorder
{
public:
    RequestHandle Post(sPresentationRequest request) override
    {
        if (onRequest)
            onRequest(request);
        return cRequestRecorder::Post(std::move(request));
    }
    std::function<void(const sPresentationRequest&)> onRequest;
};

class NavalTestland : public TestlandGame
{
protected:
    NavalTestland() { SetPresentation(&acting); }
    // The game is torn down after this screen is gone: the base's screen serves it.
    ~NavalTestland() override { SetPresentation(&screen); }

    cJednostkaMorska& Ship(int id)
    {
        cJednostkaMorska* ship = game->FindNavalUnitById(id);
        EXPECT_NE(ship, nullptr) << "ship " << id;
        return *ship;
    }
    cFlota& Fleet(int id)
    {
        for (cFlota* fleet : game->m_Fleets)
            if (fleet->ID == id)
                return *fleet;
        ADD_FAILURE() << "fleet " << id;
        return *game->m_Fleets.front();
    }
    sWezelGrafuMorz& Node(int id) { return *game->m_SeaGraph->GetNode(id); }
    sGameConsts& Consts() { return game->m_Consts; }
    int Reports(int kind, int country = 0) const
    {
        int n = 0;
        for (const sRaport& r : game->m_Reports->GetReports())
            n += r.kind == kind && (country == 0 || r.countryKey == country) ? 1 : 0;
        return n;
    }
    // The text of the last report of the kind for the country.
    std::wstring LastReport(int kind, int country) const
    {
        std::wstring text;
        for (const sRaport& r : game->m_Reports->GetReports())
            if (r.kind == kind && r.countryKey == country)
                text = r.text;
        return text;
    }
    int Requests(eRequestKind kind, const std::wstring& title = L"") const
    {
        int n = 0;
        for (const auto& r : acting.requests)
            n += r.kind == kind && (title.empty() || r.title == title) ? 1 : 0;
        return n;
    }

    cActingScreen acting;
};

} // namespace naval_tests
