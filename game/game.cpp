#include "game/game.h"

#include "ai/ai.h"
#include "ai/ai_thread.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "events/events.h"
#include "events/events_game.h"
#include "game/play_state.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/sea_battle.h"
#include "units/unit_hooks.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/topography.h"
#include "game/paths.h"
#include "game/presentation.h"
#include "world/world.h"

cGra* g_Gra = nullptr;

namespace {
sReportStamp StampFromGame(const void* owner)
{
    const auto* game = static_cast<const cGra*>(owner);
    const sGameDate date = game->GetGameDate();
    return {date.year, date.month, date.GetDayOfMonth(), game->m_Turn};
}
} // namespace

cGra::cGra(const sGameLoadRequest& request, int loadedFromSave)
    : m_FolderPattern(request.folderPattern), m_LoadedFromSave(loadedFromSave)
{
    g_Gra = this;
    m_Reports = new cReportManager(&StampFromGame, this);
    m_AutoEvents = new cAutoEventsRepository;
    ShareWithWorld();
}

cGra::~cGra()
{
    LogLine(L"----- Ending game ----");
    SetGameState(kStateTeardown);
    LogLine(L"Closing thread");
    StopAIThread();
    // A check of the events asked of this game's thread, or its answer, is not the next game's.
    g_EventCheckRequested = false;
    g_PbemEventCheckDone = false;
    SeaBattleRoundLog().Reset(); // the sea battles' record of this game is not the next game's
    LogLine(L"Destroying textures");
    Presentation().ReleaseGameTextures();
    for (cPanstwo* country : m_Countries)
        if (country) {
            country->UnitsPicture.reset();
            country->FlagPicture.reset();
        }
    LogLine(L"Destroying fonts");
    Presentation().ReleaseGameFonts();
    LogLine(L"Deleting music manager");
    Presentation().DeleteMusicPlayer();
    m_Music = nullptr;

    LogLine(L"Saving settings");
    // The zoom the map was drawn at, which the next game starts with.
    SaveZoomSetting(g_MapZoom);
    m_SaveGameVersion = -1.0f;

    LogLine(L"Destroing map");
    delete m_Mapa;
    m_Mapa = nullptr;
    g_World.map = nullptr;
    LogLine(L"Destroying cities");
    DeleteCities(m_Cities);

    // The units of the reserve pools are freed with those of their kind, not left behind.
    auto freeReserve = [this](int category) {
        std::vector<cUnit*> kept;
        for (cUnit* u : m_Reserve) {
            if (u->m_Category == category)
                delete u;
            else
                kept.push_back(u);
        }
        m_Reserve = std::move(kept);
    };
    auto freeList = [](auto& list) {
        for (auto* item : list)
            delete item;
        list.clear();
    };
    auto destroy = [](const wchar_t* line, auto*& manager) {
        LogLine(line);
        delete manager;
        manager = nullptr;
    };
    LogLine(L"Destroying land units");
    freeList(m_LandUnits);
    freeList(m_LandUnits2);
    freeList(m_LandUnits3);
    freeReserve(CATEGORY_LAND);
    LogLine(L"Destroying air units");
    freeList(m_AirUnits);
    freeReserve(CATEGORY_AIR);
    freeList(m_Reserve); // nothing else belongs there; freed all the same
    LogLine(L"Destroying naval units");
    freeList(m_NavalUnits);
    freeList(m_NavalReserve);
    LogLine(L"Destroying fleets");
    freeList(m_Fleets);
    LogLine(L"Destroying countries");
    // The event scripts read the parameters through the countries, which go now.
    if (g_Gra == this)
        SetEventAIParameters({});
    DeleteCountries(m_Countries);
    LogLine(L"Destroying AI");
    freeList(m_AIs);
    destroy(L"Destroying events repository", m_AutoEvents);
    destroy(L"Destroying strategic moves manager", m_StrategicMoves);
    destroy(L"Destroying events manager", m_Events);
    destroy(L"Destroying convoys manager", m_Convoys);
    destroy(L"Destroying reports manager", m_Reports);
    LogLine(L"Destroying unit names");
    m_UnitNamesFile.clear();
    m_UnitNamesFile.shrink_to_fit();
    LogLine(L"---- Destroying done");

    freeList(m_Commanders);
    delete m_PlayState;
    m_PlayState = nullptr;
    delete m_CityGraph;
    m_CityGraph = nullptr;
    delete m_SeaGraph;
    m_SeaGraph = nullptr;
    delete m_Relations;
    m_Relations = nullptr;
    if (g_World.countries == &m_Countries)
        g_World = sWorld{};
    if (g_Gra == this)
        g_Gra = nullptr;
}

void cGra::ShareWithWorld()
{
    g_World.map = m_Mapa;
    g_World.cities = &m_Cities;
    g_World.countries = &m_Countries;
    g_World.relations = m_Relations;
    g_World.seaGraph = m_SeaGraph;
    g_World.cityGraph = m_CityGraph;
    g_World.fleets = &m_Fleets;
    g_World.convoys = m_Convoys;
    g_World.topography = m_StrategicMoves;
    g_World.nextConvoyId = &m_NextIds.convoy;
    g_World.nextFleetId = &m_NextIds.fleet;
    g_World.scenarioName = m_ScenarioName;
    sWorldConsts& c = g_World.consts;
    c.maxSupply = m_Consts.MaxSupply;
    c.fleetRange = m_Consts.FleetRange;
    for (int t = 0; t < 6; ++t)
        c.portRequirement[t] = m_Consts.PortCapacityToEnter[t];
    // The range factor by aircraft technology level 1 to 5; level 0 takes the first.
    c.aircraftRangeFactor[0] = m_Consts.RangeTechFactor[0];
    for (int level = 1; level <= 5; ++level)
        c.aircraftRangeFactor[level] = m_Consts.RangeTechFactor[level - 1];
    c.carrierStrikeRange = m_Consts.FleetAttackRange;
    c.shoreBombardmentRange = m_Consts.FleetShoreBombRange;
    g_World.hooks.gameState = [this] { return GetGameState(); };
    g_World.hooks.setGameState = [this](int state) { SetGameState(state); };
    g_World.hooks.refreshPoints = [] { Presentation().RefreshPoints(); };
    g_World.hooks.clearSelection = [this] {
        if (m_PlayState)
            m_PlayState->DeselectAll();
    };
    InstallUnitHooks();
}

void cGra::SetGameState(int state)
{
    m_GameState.store(state);
    LogLine(L"---- Game state = %i", state);
    // The computer opponent's thread sleeps until the state may give it work.
    WakeWaitingThreads();
    // The main loop's frames follow the state: one set elsewhere must not wait for a key.
    if (!IsMainThread())
        Presentation().WakeMainLoop();
}

void cGra::EnterMenuState()
{
    SetGameState(kStateMenu);
    Presentation().UseMenuInput();
}

void cGra::ReturnToMap()
{
    Presentation().UseGameInput();
    // A turn already sent by e-mail is the next player's: an order given now would be lost.
    SetGameState(m_PbemTurnHandedOver ? kStateEndOfImpulse : kStateHuman);
}

bool cGra::LowerAnimatedState()
{
    int expected = kStateHumanMove;
    bool lowered = m_GameState.compare_exchange_strong(expected, kStateHuman);
    if (!lowered) {
        expected = kStateComputerMove;
        lowered = m_GameState.compare_exchange_strong(expected, kStateComputer);
    }
    if (lowered && !IsMainThread())
        Presentation().WakeMainLoop();
    return lowered;
}

sGameDate cGra::GetGameDate() const
{
    sGameDate date;
    date.impulse = m_Date[0];
    date.month = m_Date[1];
    date.year = m_Date[2];
    date.calendar = &m_Consts.ImpulsesPerMonth;
    return date;
}

std::wstring cGra::FolderPath(std::wstring_view fileName) const
{
    return JoinPathPattern(m_FolderPattern, fileName);
}
