#pragma once
// The game object: everything of one running game. There is at most one, reached
// through g_Gra; the main thread and the computer opponent's thread hand it to each
// other through the game state.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "core/game_date.h"
#include "game/ai_data.h"
#include "game/auto_events.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/game_state.h"
#include "game/load_request.h"
#include "game/places_flags.h"
#include "game/reports.h"
#include "units/unit_fwd.h"

class cMapa;
class cMiasto;
class cFlota;
class cPanstwo;
class cAI;
class cRelationsMatrix;
class cPlayState;
class cRenderer;
class cTopografia;
class cDiagramMiast;
class cGrafMorz;
class cZdarzenia;
class cMusicPlayer;
class cKonwoje;
class cGameSaver;
struct sSeaBattleRoundLog;
class CDXUTControl;

// Play-by-e-mail players a game can have.
constexpr int kMaxPbemPlayers = 8;

// The AI parameter block of a country.
using AIParametersOf = std::function<sAIParameters&(cPanstwo&)>;

struct sPbemPlayer
{
    int number = 0; // the N of the Info.ini keys it was read from, 1-8
    std::wstring name;
    std::wstring email;
    bool operator==(const sPbemPlayer&) const = default;
};

// The next-id counters: a creator increments one and takes the new value as the id.
struct sNextIds
{
    int convoy = 1;
    int fleet = 1;
    int navalUnit = 1;
    int landUnit = 1;
    int airUnit = 1;
};

class cGra
{
public:
    // Makes the members of an empty game for the request and becomes g_Gra; the
    // files are loaded by the creation of the game (LoadGame).
    cGra(const sGameLoadRequest& request, int loadedFromSave);
    // The teardown: stops the computer opponent's thread, then frees everything the
    // game holds in a fixed order, each step logged.
    ~cGra();
    cGra(const cGra&) = delete;
    cGra& operator=(const cGra&) = delete;

    // Game state: every change is logged.
    void SetGameState(int state);
    int GetGameState() const { return m_GameState.load(); }
    // A menu or dialog lies over the map: state 2, then the menu gets the input.
    void EnterMenuState();
    // The game screen gets the input, then state 7 (3 once a play-by-e-mail turn has been
    // handed over: that turn is over, the player only saves and leaves).
    void ReturnToMap();
    // Draws the game screen for one frame (the frame render holds the global lock): the map
    // in one sprite batch, the black frames of the minimap and the info panel, the panels.
    void Render(cRenderer* device, float elapsed);
    // What the play state tells the map drawing this frame.
    void FillMapPlayView();
    // The end of a move animation: 8 becomes 7 and 10 becomes 9, unlogged; any other
    // state (the teardown's 15, say) is left alone. True when it lowered the state.
    bool LowerAnimatedState();

    // The game screen's input (main thread; these live with the shell, which owns the
    // screen): the map's mouse handler, the keys, the commands of the info and minimap
    // panels, and Tab's walk to the next land unit of the active country with action points.
    void OnPlayerAction(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y);
    void OnKeyboard(unsigned key, bool down);
    void OnGuiEvent(unsigned event, int id, CDXUTControl* control);
    void SelectNextLandUnit();

    // Creation steps, in the order LoadGame runs them: every file of the folder, the
    // passes that link what was read, then the new scenario's or the saved game's end.
    void Load(const sGameLoadRequest& request);
    void PostLoad(const sGameLoadRequest& request);
    // A new scenario ends the impulse of its files (the date moves on one impulse) unless
    // it is read as written.
    void FinishNewScenario(bool asWritten = false);
    void FinishSavedGame();
    // Post-load checks and passes.
    void CheckHexOwners();
    void ComputeCityGraphDistances();
    void ComputeNextIds();
    // Every land (CATEGORY_LAND) or air (CATEGORY_AIR) unit of the game: on the map, aboard
    // ships and in the reserve pool.
    void ForEachUnitOf(int category, const std::function<void(const cUnit&)>& visit) const;

    // Info.ini of the folder being loaded, and the one a save carries.
    void ReadInfoIni(const sGameLoadRequest& request);
    void WriteSaveInfoIni(std::wstring_view saveFolder) const;

    // Points the world's view of the game at this game's members and constants; called
    // when the game is made and again whenever one of its parts has been created.
    void ShareWithWorld();

    // The game date with the calendar of the constants.
    sGameDate GetGameDate() const;

    // Commanders.
    void LoadCommanders(const sGameLoadRequest& request, std::vector<sDowodca*>& commanders);
    sDowodca* FindCommander(int id) const;
    // unit_names.csv into the countries; its bytes are kept for the save.
    void LoadUnitNames(const sGameLoadRequest& request, const UnitNameSetter& setName);
    // The same into the countries of the game.
    void LoadUnitNames(const sGameLoadRequest& request);
    // PlayerDefinedPlaces.txt into the map's bookmarks (nothing without a map).
    void LoadPlayerPlaces(std::wstring_view pattern);

    // Fills the automatic-events repository from the events manager: per event the
    // option with the highest computer chance.
    void InitAutoEvents();

    // Start of play (main thread): the first country's phase begins, with the screen when a
    // person plays. StartMusic picks the first human country's playlist, else the default.
    // beforePlay, when given, runs once the game stands as its first phase begins, before any
    // of that phase is played.
    void StartGame(const std::function<void()>& beforePlay = {});
    bool StartMusic();

    // The end of an impulse: every step in order when full (the opponent's thread, state 3);
    // not full, once for a new scenario, it still moves the impulse and the date on.
    void EndImpulse(bool full);
    // Steps of the full end of an impulse.
    void CheckSurrenders();
    void CheckSieges();
    void CalculateProduction();
    void CalculateUpkeep();
    void CalculateResearch();
    // The event check of the impulse; it takes the global lock for each step, so the caller
    // must not hold it (a person may be asked to choose an option). In a game by e-mail it
    // then tells the main loop, which ends the turn, unless the caller tells it later.
    // False when the program ends: the player saved the turn by e-mail from an event's
    // window, and nothing is checked, told or played after it.
    bool CheckEvents(bool tellMainLoop = true);
    // Fires the events queued from the cheats dialog, as the check fires a due one; false
    // as the check's.
    bool FireForcedEvents();
    void CheckGameOver();
    void ShowConvoyResults();
    // A report of the kind for the country, stamped with the date.
    void AddCountryReport(int kind, const cPanstwo& country, const std::wstring& text);
    // The impulse that is ending is the first of its month, by the date. The rules name the
    // first impulse of a month but find it by the impulse counter, which meets it only where
    // the counter's first impulse is a month's first: a new scenario starts one impulse after
    // its stored date (Europe 1939's counter would fall on the 11th), and months of different
    // lengths move it further.
    bool IsFirstImpulseOfMonth() const;
    // The date one impulse on: a new month after the month's last impulse, a new year
    // after December's.
    void AdvanceDate();

    // Look-ups.
    cJednostkaMorska* FindNavalUnitById(int id) const;
    // A land or air unit on the map by id; null when none has it (or it is off the map).
    cJednostkaLadowa* FindLandUnitById(int id) const;
    cJednostkaLotnicza* FindAirUnitById(int id) const;
    // Either of the two by category (CATEGORY_LAND or CATEGORY_AIR).
    cJednostka* FindMapUnit(int category, int id) const;
    // The first active fleet of the owner at the sea node.
    cFlota* FindActiveFleet(int seaNode, int ownerId) const;
    // The leader of side k (1 Allies, 2 Axis, 3 Comintern; 4 to 6 the same sides).
    cPanstwo* GetAllianceLeader(int k) const;
    bool HasHumanCountry() const;
    // A person follows this game: one of their countries plays, or did when play started
    // (the loss of the last one, and the end of the war after it, are still theirs to see).
    bool PersonWatches() const { return m_StartedWithHuman || HasHumanCountry(); }
    // Hot-seat play: more than one country is played by people at this screen (by e-mail
    // each player has a screen of their own).
    bool SeveralPeopleShareTheScreen() const;
    // The member of alliance k (4 to 6 count as 1 to 3) that takes the lead: the active one
    // with the highest political strength (0 or more), the later in id order on a tie.
    cPanstwo* DetermineNewAllianceLeader(int k) const;
    // Sets the search mark of every city to 0.
    void ClearCityMarks();
    // The computer opponent's count of naval strength around a sea zone: each ship is seen
    // only with the chance of consts rows 146 and 147, so two counts may differ. Friendly
    // ships lie at the node (the transports among those seen are counted); enemy ships
    // lie there or one passage away.
    float SumFriendlyNavalStrengthInSeaZone(int countryId, int nodeId, std::vector<cJednostkaMorska*>& ships,
                                            int& transports) const;
    float SumEnemyNavalStrengthNearSeaZone(int countryId, int nodeId, std::vector<cJednostkaMorska*>& ships) const;
    // The country's fleet at the sea node with the most battleships and cruisers still able
    // to shell the shore (the lowest id of equals), those ships selected; null when none.
    cFlota* PickShoreBombardmentFleet(int countryId, int seaNodeId);

    // Victory points of side k (1 to 6, above 3 counting as k - 3; -1 for any other k),
    // of one country, and a country's score: units, ships and the cities it controls. In 64
    // bits: cities.csv takes a million points a city, and enough such cities pass 32 bits.
    int64_t CountAllianceVictoryPoints(int k) const;
    int64_t CountCountryVictoryPoints(int countryId) const;
    int64_t ComputeCountryScore(int countryId) const;
    int CityControllerId(const cMiasto& city, const wchar_t* failure) const;

    // ai_data.csv of the folder being loaded into the countries' blocks.
    void LoadAIData(const sGameLoadRequest& request, const AIParametersOf& parameters);
    // airrecon_units.csv: the units on the listed hexes become spotted by their country.
    void LoadAirReconUnits(std::wstring_view pattern);

    // Paths of the folder being loaded.
    std::wstring FolderPath(std::wstring_view fileName) const;

    // Members, in the order the game has always kept them. Texts are of any length: a fixed
    // width would cut a long folder's pattern before its %s and load nothing of it. The
    // relations, play state and graphs are held by pointer so that this header needs only
    // their names; made and freed with the game, as a member would be.
    cMapa* m_Mapa = nullptr;
    std::list<cMiasto*> m_Cities;
    std::list<cJednostkaLadowa*> m_LandUnits;
    std::list<cJednostkaLadowa*> m_LandUnits2; // aboard cargo ships
    std::list<cJednostkaLadowa*> m_LandUnits3; // aboard amphibious ships
    std::list<cJednostkaLotnicza*> m_AirUnits;
    std::list<cJednostkaMorska*> m_NavalUnits;
    std::vector<cUnit*> m_Reserve;
    std::vector<cJednostkaMorska*> m_NavalReserve;
    std::list<cFlota*> m_Fleets;
    std::vector<cPanstwo*> m_Countries; // country id k at index k-1
    std::vector<cAI*> m_AIs;
    int m_Date[3] = {1, 9, 1939}; // impulse in the month, month, year
    cRelationsMatrix* m_Relations = nullptr;
    cPlayState* m_PlayState = nullptr;
    cTopografia* m_StrategicMoves = nullptr;
    cDiagramMiast* m_CityGraph = nullptr;
    cGrafMorz* m_SeaGraph = nullptr;
    std::vector<sDowodca*> m_Commanders;
    int m_MulberryMonth = -666; // a month that never occurs: the first end of impulse runs the step
    std::string m_UnitNamesFile; // unit_names.csv as read, written back unchanged
    std::wstring m_FolderPattern;
    std::wstring m_ScenarioFolderPattern;
    int m_LoadedFromSave = 0;
    int m_Turn = 0;
    int m_TurnsLeft = 0;
    // Set by the end of an impulse on the opponent's thread, read by the screen's frames.
    std::atomic<bool> m_GameOver{false};
    // A person played when play started: only then does the loss of every human country
    // end the game (a game of computer countries is watched to its end).
    bool m_StartedWithHuman = false;
    cZdarzenia* m_Events = nullptr;
    EventFlags m_Flags{};
    std::wstring m_ScenarioName = L"unknown";
    int m_SmallUnitsSize = 0;
    int m_LargeUnitsSize = 1;
    // The save folder that holds this game as it stands, if any: the one it was loaded from
    // or last saved into (data\save\<name> or data\pbem\<name>).
    std::wstring m_LastSaveFolder;
    bool m_IsPbem = false;
    std::vector<sPbemPlayer> m_PbemPlayers;
    std::wstring m_PbemGameName = L"unknown";
    bool m_PbemTurnHandedOver = false; // this player's turn went into the play-by-e-mail folder
    int m_PersonsCountryId = 0;        // the country whose turn a person ended last at this screen
    float m_SaveGameVersion = 1.0f;
    int m_DisplayedDate[3] = {0, 0, 0}; // day, month, year
    cMusicPlayer* m_Music = nullptr;
    cReportManager* m_Reports = nullptr;
    cAutoEventsRepository* m_AutoEvents = nullptr;
    sGameConsts m_Consts;
    sNextIds m_NextIds;
    // What a save adds to Info.ini so that the loaded game goes on as the saved one would:
    // the last id each counter gave, and the states of the generators of the thread that
    // saved (the main thread) and of the computer opponent's. An older save has neither.
    std::optional<sNextIds> m_SavedIds;
    std::optional<std::array<uint32_t, 2>> m_SavedRandomStates;
    int m_SeaViewingCountry = 0;
    cKonwoje* m_Convoys = nullptr;
    cGameSaver* m_Saver = nullptr;
    // A play-by-e-mail game's record of each sea battle fought.
    std::list<sSeaBattleRoundLog> m_SeaBattleLogs;

private:
    std::atomic<int> m_GameState{kStateConstructed};
};

extern cGra* g_Gra;

// Play-by-e-mail hand-offs of the event check: set by the check when it is done (the main
// thread's end of turn clears it and goes on), and by the event window when its
// play-by-e-mail button has saved the turn (the check then asks the main thread to quit).
extern std::atomic<bool> g_PbemEventCheckDone;
extern std::atomic<bool> g_PbemQuitAfterEventDialog;

// The constants of the running game; all zero without a game.
const sGameConsts& GameConsts();

// Makes and loads the game of the request (g_Gra points to it), starts the computer
// opponent's thread and opens the scenario-settings menu; 0.
int CreateGame(sGameLoadRequest request);
// CreateGame for a game the player picked: a file that cannot be loaded refuses the game
// instead of ending the program, so that a damaged save never closes the game on the
// player. False then, with the reason (the file, the line, why), no game object and nothing
// of the game loaded left behind.
bool CreateGameOrRefuse(const sGameLoadRequest& request, std::wstring& reason);
// What the last load left out, one line a file ("12 rows of land_units.csv were left
// out"); empty when it took every row.
std::wstring RowsLeftOutText();
// The loading alone, without the thread and the menu: the game ends in state 1. A load
// error ends the program (FatalExit); under a throwing fatal handler the half-built game
// is torn down before the exception leaves.
cGra* LoadGame(const sGameLoadRequest& request);
// The teardown of the running game; g_Gra becomes null. Nothing without a game.
void DeleteGameObject();
// As at start-up: no game, no presentation, nothing counted, no play-by-e-mail hand-off.
void ResetGameState();
// For the fatal clean-up: tears down a game whose loading failed, nothing otherwise.
void DestroyHalfBuiltGame();
bool IsGameBeingCreated();

// True when a land unit with that id is in the reserve, on the map or aboard a ship;
// the same for air units. The unit-table readers reject duplicate ids with them.
bool IsLandUnitIdUsed(int id);
bool IsAirUnitIdUsed(int id);
// True when the unit's in-reserve flag is set.
bool IsUnitInReserve(const cUnit* unit);

// The name of a unit of that type the country brings into the game: numbered on from its
// units of the type already named "<number><separator><type name>", in their numerals
// ("XXXVIII. Armeekorps" is followed by "XXXIX. Armeekorps"); without such a unit,
// "<drawn> <type name>".
std::wstring NewUnitName(const cPanstwo& country, int type, int drawn);

// One unit of the country per call, for its surrender and the scripted effects; false when
// none is left. The carried ones kill the ship that carries the unit (cargo or amphibious).
bool KillNextLandUnitOfCountry(int countryId);
bool KillNextCarriedLandUnitOfCountry(int countryId);
bool KillNextCarriedLandUnitOfCountry2(int countryId);
bool KillNextAirUnitOfCountry(int countryId);
bool KillNextNavalUnitOfCountry(int countryId);
// Cities first owned by the country stop being supply cities (0 becomes 1, 2 becomes 3).
void DowngradeSupplyCitiesOfCountry(int countryId);
// Every commander of the country becomes unassigned.
void UnassignCommandersOfCountry(int countryId);
// Adds to the events effect of the land units on the map of a side (by alliance order:
// 1 Axis, 2 Allies, 3 Comintern, 4 neutral): those standing on hexes first owned by the
// country, or inside the rectangle (bounds included).
void ChangeEffectivenessOfCountryUnits(int originalOwnerId, int side, int amount);
void ChangeEffectivenessInArea(int columnFrom, int rowFrom, int columnTo, int rowTo, int side, int amount);

// Writers of the save: each writes one file into the save folder; a file that cannot be
// written ends the program with exit code 1.
void WriteCommandersFile(const cGra& game, std::wstring_view folder);
void WriteUnitNamesFile(const cGra& game, std::wstring_view folder);
void WriteAIDataFile(const cGra& game, std::wstring_view folder, const AIParametersOf& parameters);
void SaveAirReconUnits(const cGra& game, std::wstring_view folder);
void SavePlayerPlaces(const cGra& game, std::wstring_view folder);
