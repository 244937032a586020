#include "game/gra.h"

#include "core/log.h"
#include "events/zdarzenia.h"
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
    for (sDowodca* c : m_Commanders)
        delete c;
    m_Commanders.clear();
    delete m_Events;
    m_Events = nullptr;
    delete m_AutoEvents;
    m_AutoEvents = nullptr;
    delete m_Reports;
    m_Reports = nullptr;
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
}

void cGra::SetGameState(int state)
{
    m_GameState.store(state);
    LogLine(L"---- Game state = %i", state);
}

void cGra::EnterMenuState()
{
    SetGameState(kStateMenu);
    Presentation().UseMenuInput();
}

void cGra::ReturnToMap()
{
    Presentation().UseGameInput();
    SetGameState(kStateHuman);
}

bool cGra::LowerAnimatedState()
{
    int expected = kStateHumanMove;
    if (m_GameState.compare_exchange_strong(expected, kStateHuman))
        return true;
    expected = kStateComputerMove;
    return m_GameState.compare_exchange_strong(expected, kStateComputer);
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
