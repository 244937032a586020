#pragma once
// What the world code reaches of the running game. The game object points these at its
// own members when it is created (and clears them at teardown); tests point them at
// their own objects. The hooks are the seams to subsystems that come later (units,
// sea-zone visibility, dialogs); each has a harmless default.
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "units/unit_fwd.h"

class cMapa;
class cMiasto;
class cPanstwo;
class cRelationsMatrix;
class cGrafMorz;
class cDiagramMiast;
class cFlota;
class cKonwoje;
class cTopografia;
struct sWezelGrafuMorz;
class cTexture;

// The constants of consts.csv that the world reads.
struct sWorldConsts
{
    int maxSupply = 10;              // row 48
    int fleetRange = 3;              // row 71
    int portRequirement[6] = {};     // row 161: per naval type 40..45
    float aircraftRangeFactor[6] = {1, 1, 1, 1, 1, 1}; // row 151 / 100, by aircraft tech level
    int carrierStrikeRange = 2;      // row 157: attack and recon
    int shoreBombardmentRange = 2;   // row 158
};

// Decodes a picture file named by its game path; null when it is missing or does not decode.
// Defined with the textures in shell/, so that the rules need no drawing code.
std::shared_ptr<cTexture> LoadPictureFile(const std::wstring& gamePath);

// The unit fields and operations the world needs; the unit classes install them.
struct sUnitHooks
{
    std::function<int(const cUnit*)> ownerId = [](const cUnit*) { return 0; };
    std::function<bool(const cUnit*)> isVisible = [](const cUnit*) { return false; };
    std::function<bool(const cUnit*)> isLandUnit = [](const cUnit*) { return false; };
    std::function<float(const cUnit*)> shoreBombEffect = [](const cUnit*) { return 0.0f; };
    std::function<int(const cJednostkaMorska*)> shipType = [](const cJednostkaMorska*) { return 0; };
    std::function<float(const cJednostkaMorska*)> hitPoints = [](const cJednostkaMorska*) { return 0.0f; };
    std::function<float(const cJednostkaMorska*)> maxHitPoints = [](const cJednostkaMorska*) { return 0.0f; };
    std::function<float(const cJednostkaMorska*)> bombardmentValue = [](const cJednostkaMorska*) { return 0.0f; };
    std::function<uint8_t(const cJednostkaMorska*)> selection = [](const cJednostkaMorska*) { return uint8_t(0); };
    std::function<void(cJednostkaMorska*, uint8_t)> setSelection = [](cJednostkaMorska*, uint8_t) {};
    std::function<int(const cJednostkaMorska*)> assignedZone = [](const cJednostkaMorska*) { return -1; };
    std::function<void(cJednostkaMorska*, int)> setAssignedZone = [](cJednostkaMorska*, int) {};
    std::function<void(cJednostkaMorska*, cFlota*)> setFleet = [](cJednostkaMorska*, cFlota*) {};
    std::function<sDowodca*(const cJednostkaMorska*)> commander = [](const cJednostkaMorska*) -> sDowodca* { return nullptr; };
    std::function<int(const sDowodca*)> commanderRating = [](const sDowodca*) { return 0; };
    std::function<int(cJednostkaMorska*)> rollDamage = [](cJednostkaMorska*) { return 0; };
};

// Sea-zone visibility and dialog refreshes that the world triggers.
struct sWorldHooks
{
    std::function<void(cFlota&)> fleetDeleted = [](cFlota&) {};
    std::function<void()> refreshPoints = [] {};
    // The play-by-e-mail player id of the country that comes next in the turn order.
    std::function<int()> nextPbemPlayerId = [] { return 0; };
    // The game state (7 and 8 are the human phase and its move animation; 12 a camera scroll).
    std::function<int()> gameState = [] { return 0; };
    std::function<void(int)> setGameState = [](int) {};
    // Deselects everything in the play state and refreshes the attack panel.
    std::function<void()> clearSelection = [] {};
    // Loads a picture; null when the file is missing or does not load.
    std::function<std::shared_ptr<cTexture>(const std::wstring&)> loadTexture = LoadPictureFile;
};

struct sWorld
{
    cMapa* map = nullptr;
    std::list<cMiasto*>* cities = nullptr;
    std::vector<cPanstwo*>* countries = nullptr;
    cRelationsMatrix* relations = nullptr;
    cGrafMorz* seaGraph = nullptr;
    cDiagramMiast* cityGraph = nullptr;
    std::list<cFlota*>* fleets = nullptr;
    cKonwoje* convoys = nullptr;
    cTopografia* topography = nullptr;
    int32_t* nextConvoyId = nullptr;
    int32_t* nextFleetId = nullptr;
    std::wstring scenarioName;
    sWorldConsts consts;
    sUnitHooks units;
    sWorldHooks hooks;
};

extern sWorld g_World;
// No game's world linked, the world's switches at their defaults.
void ResetWorldLinks();

// The parts of the world, or null when the game has none.
cMapa* WorldMap();
cRelationsMatrix* WorldRelations();
cGrafMorz* WorldSeaGraph();
