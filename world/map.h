#pragma once
// The hex map of a game: its hexes, the overlay marks, the camera of the map view and
// the working grids of the computer opponent.
#include <array>
#include <atomic>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "units/unit_fwd.h"
#include "world/hex_geometry.h"

class cMapa;
class cMiasto;
class cPanstwo;
struct sHexDecoration;
struct sMapPicture;
// The picture is drawing code's own; only the drawing side knows how to free it.
struct sMapPictureDeleter
{
    void operator()(sMapPicture* picture) const;
};

// Mark bits of a hex.
enum eHexMark : uint32_t
{
    MARK_SELECTED = 1,
    MARK_MOVE_ATTACK_LEFT = 4,   // reachable with more action points left than an attack costs
    MARK_MOVE_SOME_LEFT = 8,     // reachable with a few action points left
    MARK_MOVE_NONE_LEFT = 16,    // reachable with no action points left
    MARK_MOVE_RANGE = 4 | 8 | 16,
    MARK_STRATEGIC_TARGET = 32,
    MARK_ACTION_TARGET = 64,
    MARK_RECON_TARGET = 256,
    MARK_ATTACK_TARGET = 512,
    MARK_AIR_BOMBARD_TARGET = 1024,
    MARK_NUCLEAR_TARGET = 4096,
    MARK_AIR_FIGHT_TARGET = 8192,
    MARK_SEA_ZONE = 16384,
    MARK_REACHABLE_SEA_NODE = 32768,
    MARK_BIT24 = 1u << 24,
};

// Weather states.
enum eWeather : uint32_t
{
    WEATHER_CLEAR = 0,
    WEATHER_WINTER = 1,
    WEATHER_MUD = 2,
};

// A hex whose controller changed, with the controller it had before.
struct sCapturedHex
{
    int x = 0;
    int y = 0;
    int previousController = 0;
    bool operator==(const sCapturedHex&) const = default;
};

// Terrain 0 is sea; 6 blocks the marking of supply; the drawing knows 0..7.
constexpr int kTerrainSea = 0;
constexpr int kTerrainNoSupply = 6;

struct sHex
{
    int16_t x = -1;
    int16_t y = -1;
    uint8_t terrain = 0;
    uint8_t riverMask = 0;   // bits 0..5 by side, bit 6 river mouth
    uint16_t borders = 0;    // derived: owner, controller and sea-zone borders of sides 1..3
    uint8_t variant = 0;
    uint8_t controller = 0;  // country id, 0 none
    uint8_t owner = 0;
    uint8_t originalOwner = 0;
    cMiasto* city = nullptr;
    uint8_t keptByte = 0;    // carried through the map file unchanged
    uint16_t seaZone = 0;
    uint8_t coastal = 0;
    uint16_t seaNodeDisplay = 0;
    uint8_t fortification = 0;
    uint32_t weather = WEATHER_CLEAR;
    uint32_t marks = 0;
    int32_t markValue = -1;
    cUnit* unit = nullptr;
    uint8_t mudChance[12] = {};
    uint8_t winterChance[12] = {};
    uint8_t weatherApplies = 1;

    cMapa* map = nullptr;    // the map that holds the hex (set at allocation)

    bool IsSea() const { return terrain == kTerrainSea; }

    // Drawing (the sprite batch of the frame is open). The position is the origin of the
    // hex's cell in map pixels; frame is the animation frame 0 to 5.
    void Draw(float x, float y, const sHexDecoration& decoration, int frame) const;
    void DrawTerrain(float x, float y, const sHexDecoration& decoration) const;
    void DrawOwnership(float x, float y) const;
    void DrawWithLandingMark(float x, float y, const sHexDecoration& decoration, int frame) const;
    // The ships and the name of the sea node shown on this hex.
    void DrawSeaNodeSymbol(float x, float y) const;
    // The sea under a hex of the sea-battle board, its mark icon and its ship.
    void DrawMarkIcon(float x, float y, uint32_t mask) const;
    bool IsLand() const { return terrain != kTerrainSea; }

    // Marks (the map lists every marked hex).
    void SetMark(uint32_t bits, int32_t value);
    void ClearMark(uint32_t bits, bool remove);

    // Rivers.
    bool HasRiver(int side) const;

    // Borders and ownership.
    void UpdateBorders();
    void SetController(int countryId);
    void SetOwner(int countryId);
    cPanstwo* GetController() const;
    cPanstwo* GetOwner() const;
    cPanstwo* GetOriginalOwner() const;

    // Friend-or-foe predicates.
    bool IsControlledByFriend(int countryId) const;
    bool IsHeldAndOwnedByFriend(int countryId) const;
    bool IsFriendlyOrEnemyLand(int countryId) const;
    bool CanSupplyThrough(int countryId) const;
    bool IsCoastalLand() const { return IsLand() && seaZone != 0; }

    // Air missions against the hex.
    // The fighter at war with the attacking country that best intercepts a mission here.
    cJednostkaLotnicza* FindInterceptor(int attackingCountry) const;
    // The attacker (an air unit, or a carrier's aircraft) bombs the hex: its unit, its
    // city and port, or its sea zone. An attacker that dies is removed from the game.
    void AirBombard(sCombatResult* result, cUnit* attacker);
};

// Six flags, one per side: 1 when a river runs along it. A mask of 0 or above 63 gives zeros.
void ZwrocWektorRzek(uint8_t riverMask, int out[6]);

struct sHexDecoration
{
    int32_t cell[6] = {};     // (x, y) sprite-cell origins for clear, winter and mud
    float gate = -1.0f;       // drawn only above 0.5
    int32_t layer = 100;      // 100 = none

    // A new skin's table starts from nothing: an old decoration must not show through.
    void Reset()
    {
        for (int& c : cell)
            c = 0;
        gate = -1.0f;
        layer = 100;
    }
};

// What the play state tells the map drawing; the game fills it in before each frame.
struct sMapPlayView
{
    int activeCountry = 0;                 // whose counters carry the own-unit markers
    const sHex* highlightedHex = nullptr;  // its sea-node symbol is drawn again on top
    const cUnit* unitInMotion = nullptr;   // drawn at its own position while it moves
    const cUnit* assaultDefender = nullptr;
    bool assaultDirections[6] = {};        // the sides the planned assault comes from
};

struct sFloatPoint
{
    float x = 0.0f;
    float y = 0.0f;
};

// A 4x4 transform (row-major), used by the map view and the minimap.
struct sMatrix4
{
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct sCamera
{
    float currentY = 0.0f;
    float targetY = 0.0f;
    float zoomShiftY = 0.0f;
    float currentX = 0.0f;
    float targetX = 0.0f;
    float zoomShiftX = 0.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
};

class cMapa
{
public:
    // Reads the map file from the folder pattern (a path with one %s for the file name).
    explicit cMapa(const std::wstring& folderPattern);
    // An empty map of the given size (authoring tools and tests); every hex is clear sea.
    cMapa(int width, int height);
    ~cMapa();
    cMapa(const cMapa&) = delete;
    cMapa& operator=(const cMapa&) = delete;

    // Geometry.
    sHex* GetHex(int x, int y);
    const sHex* GetHex(int x, int y) const;
    bool IsInside(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }
    bool HasNeighbour(int x, int y, int direction) const;
    sHex* GetNeighbour(int x, int y, int direction);
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    bool IsEmpty() const { return m_Hexes.empty(); }
    void SetWidth(int w);
    void SetHeight(int h);

    // Marks.
    void ClearMarks(uint32_t bits, bool clearBit24);
    void MarkZoneHexes(int seaZoneId, uint32_t bits);
    const std::list<sHex*>& GetMarkedHexes() const { return m_MarkedHexes; }

    // Camera.
    void ScrollBy(float dx, float dy, float speed);
    void ScrollToPoint(sFloatPoint point, bool notify);
    void CenterAtHex(int x, int y);
    void CenterAtMinimapPoint(int mouseX, int mouseY);
    void Zoom(float steps, int mouseX, int mouseY);
    void ClearSelection();
    // The hex under a point of the screen, by the picking rule of the map view; false when
    // the point lies off the map.
    bool ScreenToHex(int screenX, int screenY, int& column, int& row) const;
    std::pair<int, int> GetCameraBookmark(int index) const;
    int SetCameraBookmark(int index, int x, int y);

    // Map file. Save returns whether the file was written (a failure is logged).
    bool Save(const std::wstring& folder, const wchar_t* outputPathFormat);
    void ReadHexRecord(sHex& hex, const unsigned char* record);
    // Reads the folder's map.qvr, bakes its weather tables in and writes output_map.qvr
    // beside it; false when nothing was written (a map of size 0, a failed write).
    bool BuildFromScenario(const std::wstring& folderPattern);

    // Loading steps.
    void PropagateRiverMouths();
    void AllocateAiGrid();
    void BuildSeaZoneHexSets();
    void PostLoadInit();

    // Weather.
    void RollWeather(int month);
    void ApplyWeatherTables(const std::wstring& folderPattern);

    // Territory control. A unit of the country has entered (x, y): the hex and its
    // undefended enemy neighbours without a city are taken; each change is appended to
    // `changes` when given. The number of hexes taken.
    int CaptureHex(int countryId, int x, int y, std::vector<sCapturedHex>* changes = nullptr);
    // A unit at war with the country stands on (x, y) or next to it.
    bool IsCoveredByEnemyUnit(int countryId, int x, int y) const;
    // The hex changed hands: the fleets in its port (if it is one) leave it, and a fleet
    // that cannot is lost.
    void CheckCapturedPort(int x, int y);
    // End of impulse: enemy-surrounded pockets that no city of their side reaches are
    // absorbed by the enemy around them. The number of hexes absorbed.
    int AbsorbUnsuppliedHexes();
    // A surrendered country's territory goes to the victor; its conquests go back to
    // their owners.
    void AnnexCountry(int annexedId, int annexingId);
    // A unit found on a hex that changes hands by annexation.
    void CheckUnitOnAnnexedHex(int annexedId, cUnit* unit);
    // Peace: every hex the country holds of another, or another holds of it, goes back
    // to its owner.
    void ReturnOccupiedHexes(int countryId);
    // Scripted effects on one column, rows y to y + count - 1; false, logged, when the
    // stripe or the country does not exist.
    bool ChangeStripeControllerAndOwner(int x, int y, int count, int countryId);
    bool ChangeStripeControllerOwnerAndOriginalOwner(int x, int y, int count, int countryId);
    // Every hex the first country controls passes to the second, owners included.
    bool TransferCountryHexes(int fromId, int toId);

    // Drawing and the camera of the game screen (main thread).
    void Render();
    void FrameMove(float elapsed);
    // Loads the minimap picture and fits it into the minimap area of the layout.
    void BuildMinimap(const std::wstring& picturePath);
    // Writes the ownership overlay of the minimap (main thread only).
    void UpdateMinimapOverlay();
    // Any thread: the overlay is written anew before the next frame is drawn.
    void RequestMinimapOverlayUpdate() { m_MinimapOverlayDirty = true; }
    bool IsMinimapOverlayUpdateRequested() const { return m_MinimapOverlayDirty; }
    // The overlay over the minimap picture, and the red frame of the visible area.
    void DrawMinimapOverlay();
    void DrawMinimapViewFrame();
    sMapPlayView playView;

    // Coastal land hexes of a sea zone, row by row; empty when none.
    const std::vector<std::pair<int, int>>& GetCoastalHexesOfZone(int seaZoneId) const;

    // The computer opponent's mark grid (one byte per hex) and its searches. Marks of a
    // hex off the map read 0 and are not written.
    void SetAiMark(int x, int y, uint8_t value);
    uint8_t GetAiMark(int x, int y) const;
    void ClearAiMarks();
    // The lattice of front nodes for spacing d (at least 3), built when d changes and
    // zeroing the mark grid then. A smaller d is refused with its log line and leaves
    // the lattice as it was.
    const std::list<std::pair<int, int>>& SetFrontNodeDistance(int d);
    // The lattice point d straight steps from (x, y) in a direction 0..5 (it may lie off
    // the map). False, with a log line, without a spacing or with another direction.
    bool FindFrontNode(int& outX, int& outY, int x, int y, int direction) const;
    // Whether both hexes belong to one group of cities joined by land (the nearest city
    // of each hex decides); false for a hex that no city reaches.
    bool AreHexesInSameRegion(int x1, int y1, int x2, int y2) const;
    // A landing hex for an invasion: the first empty coastal land hex of the sea zone
    // held by the country, an ally or an enemy, walking outward from the start within
    // maxDistance; with ownOnly, only the start hex itself, and held by the country.
    bool FindCoastalHex(int countryId, int x, int y, int seaZone, int maxDistance, int& outX, int& outY,
                        bool ownOnly);
    // The enemy land unit of the lowest effective strength within maxDistance of the
    // start over land (the first of equals in walk order); hexes of neutrals are passed over.
    bool FindWeakestEnemyUnitNear(int countryId, int x, int y, int maxDistance, int& outX, int& outY);

    // Hex array, row by row: element y * width + x.
    std::vector<sHex>& Hexes() { return m_Hexes; }
    std::vector<uint8_t>& AiGrid() { return m_AiGrid; }
    // One decoration per hex, same order; the map skin's table fills them after a reset.
    std::vector<sHexDecoration>& Decorations() { return m_Decorations; }
    // Allocates the decorations once and resets them (before a skin's table is applied).
    void AllocateScratch();

    // Fields of the map view.
    int width = 0;
    int height = 0;
    int cameraMinX = 0;
    int cameraMaxX = 0;
    int cameraMinY = 0;
    int cameraMaxY = 0;
    float fitScale = 1.0f;
    int viewCentreColumn = 0;
    int viewCentreRow = 0;
    int viewOffsetX = 0;
    int viewOffsetY = 0;
    int visibleColumns = 0;
    int visibleRows = 0;
    int visibleColumnsAtScale1 = 0;
    int visibleRowsAtScale1 = 0;
    sMatrix4 mapTransform;
    float minimapScale = 1.0f;
    sMatrix4 minimapMatrix;
    int minimapRect[4] = {};
    sFloatPoint viewFrame[5];
    int frontNodeDistance = -1;
    std::list<std::pair<int, int>> frontNodeLattice;
    sCamera camera;
    int minimapOverlay[4] = {};
    float zoomFactor = 0.0f;   // 0 closest .. 1 whole map width
    float targetScale = 1.0f;
    float currentScale = 1.0f;

private:
    void AllocateHexes(int w, int h);
    bool LoadFile(const std::wstring& path, std::vector<sHex>& hexes, int& w, int& h);
    void ApplyWeatherCsv(const std::wstring& folderPattern);
    void ApplyAreaCsv(const std::wstring& folderPattern, const wchar_t* fileName, bool winter);

    friend struct sHex;
    std::vector<sHex> m_Hexes;
    std::vector<sHexDecoration> m_Decorations;
    std::list<sHex*> m_MarkedHexes;
    std::vector<uint8_t> m_AiGrid;
    std::map<int, std::vector<std::pair<int, int>>> m_CoastalHexesByZone;
    // The group of each city in the world's city groups, filled at the first region test.
    mutable std::map<const cMiasto*, int> m_RegionGroupOfCity;
    std::array<std::pair<int, int>, 10> m_Bookmarks{};
    std::atomic<bool> m_MinimapOverlayDirty{false};
    std::unique_ptr<sMapPicture, sMapPictureDeleter> m_Picture;
    bool m_ViewPrepared = false;
    float m_PreparedScale = 0.0f;

    void PrepareViewForScale();
    // Draws the hexes of the columns and rows in map pixels shifted by the offset, in the
    // map mode, row by row.
    void DrawHexes(int firstColumn, int endColumn, int firstRow, int endRow, float offsetX, float offsetY,
                   int frame) const;
    // Past the map's edges, in the columns and rows given (some inside the map), each place
    // shows the ground of the nearest hex of the map, terrain alone: the sea goes on to the
    // screen's edge, and so does the land.
    void DrawBeyondEdges(int firstColumn, int endColumn, int firstRow, int endRow, float offsetX, float offsetY) const;
    // Puts the tiles of the still layers in view under the frame, brought up to date; false
    // when the frame draws every layer itself.
    bool PrepareStillPicture(float offsetX, float offsetY);
    // What the still layers of the hexes in the columns and rows show.
    uint64_t StillLayersSignature(int firstColumn, int endColumn, int firstRow, int endRow) const;
    void UpdateViewWindow();
    void UpdateViewFrame();
};
