// Creating a game: the files of a scenario, saved game or play-by-e-mail folder are read
// in a fixed order, then the passes that link what was read.
#include <algorithm>

#include "ai/ai.h"
#include "ai/ai_thread.h"
#include "core/fatal.h"
#include "core/format.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "events/events.h"
#include "events/events_game.h"
#include "game/air_tables.h"
#include "game/load_files.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "game/save_game.h"
#include "game/turn_order.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/unit_tables.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/topography.h"

namespace {

// Set while a game is being made: a fatal load error then tears the half-built game down.
bool g_CreatingGame = false;

void Progress(int percent) { Presentation().SetLoadingProgress(percent); }

sAIParameters& ParametersOf(cPanstwo& country) { return country.AIParameters; }

} // namespace

void cGra::Load(const sGameLoadRequest& request)
{
    m_LoadedFromSave = request.loadedFromSave;
    // Kept whole: cut at 199 characters, a deep folder's pattern would name files that are not there.
    m_FolderPattern = request.folderPattern;
    if (request.loadedFromSave != 0 && m_FolderPattern.size() > 3 &&
        m_FolderPattern.compare(m_FolderPattern.size() - 3, 3, L"\\%s") == 0)
        m_LastSaveFolder = m_FolderPattern.substr(0, m_FolderPattern.size() - 3);
    g_Gra = this;
    if (!m_Reports)
        m_Reports = new cReportManager;
    if (!m_AutoEvents)
        m_AutoEvents = new cAutoEventsRepository;
    Progress(5);

    m_GameOver = false;
    m_MulberryMonth = -666;
    ReadInfoIni(request);
    Progress(10);

    m_Consts.LoadGameConsts(m_ScenarioName);
    ShareWithWorld();
    Progress(15);

    m_Mapa = new cMapa(m_FolderPattern);
    ShareWithWorld();
    Progress(20);

    LoadPlayerPlaces(m_FolderPattern);
    LoadFlags(m_FolderPattern, m_Flags);
    // The reader links every city to the hex it stands on.
    LoadCities(m_FolderPattern, m_Cities);
    // Every later file places something in a city or by one: a game without any cannot be.
    if (m_Cities.empty())
        FatalExit(1, FormatText(L"%s holds no city", JoinPathPattern(m_FolderPattern, L"cities.csv")));
    Progress(25);

    LoadCommanders(request, m_Commanders);
    LoadLandUnits(m_FolderPattern, m_LandUnits);
    PlaceLandUnits();
    LoadAirUnits(m_FolderPattern, m_AirUnits);
    PlaceAirUnits();
    LoadFleets(m_FolderPattern, m_Fleets);
    LoadNavalUnits(m_FolderPattern, m_NavalUnits);
    Progress(35);

    LoadCountries(m_FolderPattern, m_Countries, m_ScenarioName);
    // Before the tables read earlier are checked against it: they are not what is wrong.
    if (m_Countries.empty())
        FatalExit(1, FormatText(L"%s holds no country", JoinPathPattern(m_FolderPattern, L"countries.csv")));
    CheckExpected(eLaterCheck::kCountry, int(m_Countries.size()));
    LeaveOutCommandersBeyond(int(m_Countries.size()), m_Commanders, [this](const sDowodca* gone) {
        auto unlink = [gone](cUnit* u) {
            if (u->m_Commander == gone)
                u->m_Commander = nullptr;
        };
        for (const auto* list : {&m_LandUnits, &m_LandUnits2, &m_LandUnits3})
            for (cJednostkaLadowa* u : *list)
                unlink(u);
        for (cJednostkaLotnicza* u : m_AirUnits)
            unlink(u);
        for (cJednostkaMorska* u : m_NavalUnits)
            unlink(u);
        for (cJednostkaMorska* u : m_NavalReserve)
            unlink(u);
        for (cUnit* u : m_Reserve)
            unlink(u);
    });
    SetEventAIParameters(&ParametersOf);
    LoadUnitNames(request);
    Progress(40);

    LoadAirshipAttacks(m_FolderPattern, m_Countries);
    LoadAirReconUnits(m_FolderPattern);
    Progress(45);

    for (size_t k = 0; k < m_Countries.size(); ++k)
        m_AIs.push_back(new cAI);
    m_Relations = new cRelationsMatrix;
    m_Relations->Load(int(m_Countries.size()), m_FolderPattern);
    if (!m_PlayState)
        m_PlayState = new cPlayState;
    m_PlayState->SetViewCountry(nullptr);
    ShareWithWorld();
    Progress(50);

    m_StrategicMoves = new cTopografia;
    // Made with the load, not with the game object: a game object is only ever made to be
    // loaded at once (LoadGame), and nothing asks for its events before they are read.
    m_Events = new cZdarzenia;
    Progress(55);
    m_Convoys = new cKonwoje;
    ShareWithWorld();
    Progress(60);

    Presentation().CreateMusicPlayer();
    Presentation().CreateGamePanels();
    Progress(65);
    Presentation().LoadMapSkin();
    Progress(70);
    Presentation().LoadUnitsSkin();
    Progress(75);
}

void cGra::PostLoad(const sGameLoadRequest& request)
{
    std::string scenario = WideToUtf8(m_ScenarioName);
    if (scenario.size() > 100)
        scenario.resize(100);

    CheckHexOwners();

    m_PlayState->SetActiveCountry(DetermineCurrentCountry(m_Countries));

    RunUnitLoadPasses();
    // A unit too weak to count would have been destroyed in play: it keeps the least strength
    // that counts, on the map, aboard a ship or in the reserve, from where it may be deployed.
    std::vector<cJednostkaLadowa*> landUnits(m_LandUnits.begin(), m_LandUnits.end());
    landUnits.insert(landUnits.end(), m_LandUnits2.begin(), m_LandUnits2.end());
    landUnits.insert(landUnits.end(), m_LandUnits3.begin(), m_LandUnits3.end());
    for (cUnit* unit : m_Reserve)
        if (auto* land = dynamic_cast<cJednostkaLadowa*>(unit))
            landUnits.push_back(land);
    for (cJednostkaLadowa* u : landUnits)
        if (u->m_Type != UNIT_MULBERRY && u->GetCombatStrength() < 0.1f) {
            const int before = u->m_Strength;
            while (u->m_Strength < 100 && u->GetCombatStrength() < 0.1f)
                ++u->m_Strength;
            LogLine(L"WARNING: land unit ID=%i has strength %i, too little to count; taken as %i", u->m_Id, before,
                    u->m_Strength);
        }

    m_PlayState->CreateSupplyWorkArea(m_Mapa);
    m_StrategicMoves->InitStrategicMovementModule(int(m_Countries.size()));
    m_PlayState->BuildWorldCityGroups(*m_Mapa, m_Cities);
    m_PlayState->BuildNearestCityMap(*m_Mapa, m_Cities);

    m_CityGraph = new cDiagramMiast;
    ShareWithWorld();
    m_CityGraph->Build(m_Cities);
    m_CityGraph->Load(m_ScenarioName);
    ComputeCityGraphDistances();

    m_SeaGraph = new cGrafMorz;
    ShareWithWorld();
    m_SeaGraph->LoadNodes(m_FolderPattern);
    CheckExpected(eLaterCheck::kSeaNode, m_SeaGraph->NodeCount());
    m_SeaGraph->Load(m_ScenarioName);
    if (m_SeaViewingCountry <= int(m_Countries.size()))
        m_SeaGraph->ViewingCountry = m_SeaViewingCountry;

    m_Convoys->LoadConvoys(m_FolderPattern);

    ComputeNextIds();

    m_Events->LoadEventFiles(scenario);
    m_Events->ValidateEventFiles();
    m_Events->LoadAllEventsFromDom();

    LoadAIData(request, &ParametersOf);
}

void cGra::CheckHexOwners()
{
    if (!m_Mapa)
        return;
    const int countries = int(m_Countries.size());
    auto bad = [countries](int id) { return id < 1 || id > countries; };
    bool logged = false;
    for (int x = 0; x < m_Mapa->width; ++x)
        for (int y = 0; y < m_Mapa->height; ++y) {
            sHex& hex = *m_Mapa->GetHex(x, y);
            if (hex.IsSea())
                continue;
            const uint8_t before[3] = {hex.controller, hex.owner, hex.originalOwner};
            if (bad(hex.controller)) {
                LogLine(L"ERR: Hex (%d, %d) ma nieprawidlowego posiadacza (%d)", x, y, int(hex.controller));
                logged = true;
            }
            if (bad(hex.owner)) {
                LogLine(L"ERR: Hex (%d, %d) ma nieprawidlowego wlasciciela (%d)", x, y, int(hex.owner));
                logged = true;
            }
            if (bad(hex.originalOwner)) {
                LogLine(L"ERR: Hex (%d, %d) ma nieprawidlowego wlasciciela pierwotnego (%d)", x, y,
                        int(hex.originalOwner));
                logged = true;
            }
            // Play needs a country behind every land hex: a bad one takes the first good one
            // of the three.
            uint8_t good = 0;
            for (uint8_t id : before)
                if (good == 0 && !bad(id))
                    good = id;
            if (good == 0)
                FatalExit(1, FormatText(L"ERROR: map.qvr: hex (%d, %d) is land of no country (controller %d, owner %d, "
                                        L"original owner %d)",
                                        x, y, int(before[0]), int(before[1]), int(before[2])));
            for (uint8_t* id : {&hex.controller, &hex.owner, &hex.originalOwner})
                if (good != 0 && bad(*id)) {
                    LogLine(L"WARNING: hex (%d, %d): country %d taken as %d", x, y, int(*id), int(good));
                    *id = good;
                }
        }
    if (logged)
        Presentation().MessageBox(L"Logged invalid controllers/owners/orig owners of hexes",
                                  L"Invalid ctr ids on hexes");
}

void cGra::ComputeCityGraphDistances()
{
    for (cMiasto* city : m_Cities)
        if (city->Type != CITY_RESOURCES)
            city->ComputeGraphDistances();
}

void cGra::ComputeNextIds()
{
    // The highest id in use, not the last fleet's or ship's: the lists are in no order of ids (a
    // scenario's file, a save, a ship back from the reserve at the end), and a counter that
    // started from the last could give a new fleet or ship the id of one that exists.
    int convoy = 0;
    if (m_Convoys)
        for (const auto& owner : m_Convoys->Convoys)
            for (const sKonwoj& c : owner)
                convoy = std::max(convoy, int(c.id));
    int fleet = 0;
    for (const cFlota* f : m_Fleets)
        fleet = std::max(fleet, int(f->ID));
    int atSea = 0, inReserve = 0;
    for (const cJednostkaMorska* s : m_NavalUnits)
        atSea = std::max(atSea, int(s->m_Id));
    for (const cJednostkaMorska* s : m_NavalReserve)
        inReserve = std::max(inReserve, int(s->m_Id));
    const int naval = std::max(atSea, inReserve);
    auto highest = [this](int category) {
        int id = 0;
        ForEachUnitOf(category, [&](const cUnit& u) { id = std::max(id, int(u.m_Id)); });
        return id;
    };
    const sNextIds inUse{convoy, fleet, naval, highest(CATEGORY_LAND), highest(CATEGORY_AIR)};
    // A save names the last id each counter gave, so that a loaded game goes on giving the
    // ids it would have given; without them one id beyond the highest is left free, and for
    // ships one beyond the ships at sea, raised to the reserve's highest, and one more.
    // The game object's notes and the creation's steps disagree for a game without ships
    // (1 or 2): the steps are followed.
    if (m_SavedIds) {
        m_NextIds.convoy = std::max(m_SavedIds->convoy, inUse.convoy);
        m_NextIds.fleet = std::max(m_SavedIds->fleet, inUse.fleet);
        m_NextIds.navalUnit = std::max(m_SavedIds->navalUnit, inUse.navalUnit);
        m_NextIds.landUnit = std::max(m_SavedIds->landUnit, inUse.landUnit);
        m_NextIds.airUnit = std::max(m_SavedIds->airUnit, inUse.airUnit);
    } else {
        m_NextIds = {inUse.convoy + 1, inUse.fleet + 1, std::max(atSea + 1, inReserve) + 1, inUse.landUnit + 1,
                     inUse.airUnit + 1};
    }
}

void cGra::FinishNewScenario(bool asWritten)
{
    if (!asWritten)
        EndImpulse(false);
    // Every city keeps a value per country from the start, as a saved game has them.
    for (cMiasto* city : m_Cities)
        city->ResizeCountryTables(int(m_Countries.size()));
    Progress(90);
    InitAutoEvents();
    Progress(95);
    // No unit starts the game unprepared for an airborne assault.
    for (cJednostkaLadowa* u : m_LandUnits)
        u->m_TurnsSinceParadrop = m_Consts.AirborneAssaultWait;
}

void cGra::FinishSavedGame()
{
    const int countries = int(m_Countries.size());
    for (cMiasto* city : m_Cities)
        city->ResizeCountryTables(countries);
    LoadCitySupplyTables(m_FolderPattern, countries);
    Progress(90);
    m_StrategicMoves->Clear();
    m_StrategicMoves->InitStrategicMovementModule(countries);
    m_StrategicMoves->Load(m_FolderPattern);
    // A save that names its id counters carries the efficiencies play had worked out too,
    // which a new reckoning could change from what the unbroken game has; an older one does not.
    if (!m_SavedIds)
        for (cJednostkaLadowa* u : m_LandUnits)
            u->RecalculateEfficiency();
    Progress(95);
    m_Reports->Load(m_FolderPattern);
    m_AutoEvents->Load(m_FolderPattern);
    // The dice go on where the saved game left them, so that it continues exactly as the
    // unbroken game: a reload rolls nothing anew.
    if (m_SavedRandomStates) {
        SeedRandom((*m_SavedRandomStates)[0]);
        SetOpponentRandomState((*m_SavedRandomStates)[1]);
    }
}

bool IsGameBeingCreated() { return g_CreatingGame; }

void DestroyHalfBuiltGame()
{
    // Whichever file failed, also those after which the design tears nothing down: the
    // program may go on (a refused folder), and nothing of the half-built game may stay.
    if (!g_CreatingGame)
        return;
    g_CreatingGame = false;
    DeleteGameObject();
}

void DeleteGameObject()
{
    cGra* game = g_Gra;
    delete game;
    g_Gra = nullptr;
}

void ResetGameState()
{
    if (g_Gra)
        DeleteGameObject();
    SetPresentation(nullptr);
    g_PlayCounts.Reset();
    g_PbemEventCheckDone = false;
    g_PbemQuitAfterEventDialog = false;
}

cGra* LoadGame(const sGameLoadRequest& request)
{
    // One game at a time: a game still running is torn down first.
    if (g_Gra)
        DeleteGameObject();
    // A save of the name that a killed program left between its renames loads as the save it was.
    const std::wstring& pattern = request.folderPattern;
    if (request.loadedFromSave != 0 && pattern.size() > 3 && pattern.compare(pattern.size() - 3, 3, L"\\%s") == 0)
        SettleInterruptedSave(pattern.substr(0, pattern.size() - 3));
    g_CreatingGame = true;
    ForgetExpected();
    ForgetRowsLeftOut();
    SetSaveBeingLoaded(request.loadedFromSave != 0 ? request.folderPattern : std::wstring());
    cGra* game = new cGra(request, request.loadedFromSave);
    try {
        game->Load(request);
        Progress(80);
        game->PostLoad(request);
        Progress(85);
        game->m_Mapa->PostLoadInit();
        if (game->m_LoadedFromSave == 0)
            game->FinishNewScenario(request.asWritten);
        else
            game->FinishSavedGame();
        // After every reader: a file a reader refuses is named with its line; the sizes find
        // what no reader can see, a table that lost or gained whole rows.
        if (game->m_LoadedFromSave != 0)
            RefuseIfNotAsSaved(request.folderPattern);
    } catch (...) {
        // Only a throwing fatal handler (tests, tools) gets here.
        DestroyHalfBuiltGame();
        throw;
    }
    Progress(100);
    LogLine(L"-- Loading new scenario done!");
    game->SetGameState(kStateLoaded);
    g_CreatingGame = false;
    return game;
}

namespace {
void StartLoadedGame()
{
    // Once per game, outside the lock: a start first joins any thread still running.
    StartAIThread();
    ACQUIRE_GLOBAL_LOCK();
    Presentation().StartScenarioSettingsMenu();
    RELEASE_GLOBAL_LOCK();
}
} // namespace

int CreateGame(sGameLoadRequest request)
{
    LoadGame(request);
    StartLoadedGame();
    return 0;
}

bool CreateGameOrRefuse(const sGameLoadRequest& request, std::wstring& reason)
{
    // Every loader ends the program on a file it cannot read; here that end is caught, the
    // half-built game has been torn down on the way out, and the program goes on: a folder
    // the player picked, often one another player sent, would otherwise close the program
    // without a word on the screen, where the player is now told why and picks another.
    reason.clear();
    if (const std::optional<std::wstring> failure = RunCatchingFatal([&] { LoadGame(request); }))
        reason = failure->empty() ? L"a file could not be read" : *failure;
    // The log line of a file that cannot be opened does not name it; the player is told which.
    if (!reason.empty() && !UnreadableFile().empty())
        reason = LangFormat("load_file_unreadable_%s", UnreadableFile());
    reason = WithForwardSlashes(reason);
    if (!reason.empty()) {
        std::wstring folder = request.folderPattern;
        if (folder.size() >= 3 && folder.compare(folder.size() - 3, 3, L"\\%s") == 0)
            folder.resize(folder.size() - 3);
        LogLine(L"The game in %s was not loaded: %s", folder, reason);
        return false;
    }
    StartLoadedGame();
    return true;
}

std::wstring RowsLeftOutText()
{
    std::wstring text;
    for (const sRowsLeftOut& entry : RowsLeftOut())
        text += (entry.rows == 1 ? LangFormat("load_row_left_out_%s", entry.file)
                                 : LangFormat("load_rows_left_out_%s_%i", entry.file, entry.rows)) +
                L"\n";
    return text;
}
