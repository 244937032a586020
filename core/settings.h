#pragma once
// The player's settings (Settings.ini in the working directory) and the delay table.
#include <array>
#include <cstdint>
#include <string>
#include <system_error>

#include "core/ini.h"

struct sDelaySetting
{
    std::string iniKey;      // "Delay/AIMoveBefore"
    std::string languageKey; // "delay_ai_move_before"
    int controlId;           // the row's control in the preferences dialog
};

constexpr int kDelayCount = 15;
enum eDelay
{
    DELAY_CONTROL_HINT = 0,
    DELAY_AI_COMBAT_RESULT,
    DELAY_HUMAN_COMBAT_RESULT,
    DELAY_HUMAN_DEPLOY_AFTER,
    DELAY_HUMAN_RECON_AFTER,
    DELAY_AI_MOVE_BEFORE,
    DELAY_AI_MOVE_BETWEEN,
    DELAY_AI_MOVE_AFTER,
    DELAY_AI_COMBAT_BEFORE,
    DELAY_AI_COMBAT_AFTER,
    DELAY_AI_DEPLOY_BEFORE,
    DELAY_AI_DEPLOY_AFTER,
    DELAY_AI_REPLACEMENT_BEFORE,
    DELAY_AI_REPLACEMENT_AFTER,
    DELAY_HUMAN_MOVE_BETWEEN,
};

extern const std::array<sDelaySetting, kDelayCount> g_DelayTable;
// What the preferences' sliders set: a delay up to 20 seconds, at the least -1 (wait for a
// click) for the combat results and 0 for the other rows; a sight of up to 20 hexes; a sea
// battle's order of up to 20 seconds. Settings.ini may hold more (a longer delay, a wider or a
// negative sight): it is taken as it stands, and a slider shows it at its nearer end.
constexpr int kMaxDelaySeconds = 20;
int MinDelaySeconds(int row);
constexpr int kMaxFogOfWarHexes = 20;
constexpr int kMaxSeaBattleSeconds = 20;
// Milliseconds; 0 = no pause (rows 1 and 2: result not shown), below 0 = wait for a click.
extern std::array<float, kDelayCount> g_DelayValues;

// The setting values the program reads; the defaults hold until a load replaces them.
struct sUserSettings
{
    int resolutionX = 1024;
    int resolutionY = 768;
    bool fullscreen = false;
    int fpsLimit = 0;
    bool showUnitName = true;
    std::wstring unitsSkin = L"Counters";
    bool dynamicAppearance = true;
    std::wstring mapSkin = L"Normal";
    float mapZoom = 1.0f;
    bool showGrid = true;
    bool showCityName = true;
    bool showAPLeft = true;
    bool showWeather = true;
    bool showSeaZoneName = true;
    int ownershipMode = 0;
    int mapMode = 0;
    int borderMode = 0;
    bool showSeaZonesBorders = true;
    uint32_t borderColor = 0xFFFFFFFFu;
    int fogOfWar = 0; // 0 no fog; else the hexes a side sees around its units, below 0 none
    bool showAlliesActions = true;
    int minimapOwnershipMode = 0;
    bool skipEndTurnConfirmation = false; // the inverse of InterfaceSettings/ConfirmEndTurn
    int seaBattleTimeout = 2;             // seconds
    float musicVolume = 1.0f;
    float sfxVolume = 1.0f;

    // Main loop sleep per frame: 1000 / FPSLimit, nothing for 0.
    int FrameSleepMs() const { return fpsLimit > 0 ? 1000 / fpsLimit : 0; }
};

extern cIniFile g_Settings;
extern sUserSettings g_UserSettings;
// The live map zoom: the scale the map is drawn at (1 is full size), which the skin levels
// follow. Loading the settings starts it at "MapDisplay/Zoom"; saving the zoom stores it.
extern float g_MapZoom;

// Reads Settings.ini (at the path given, by default in the working directory) into
// g_Settings and the globals. A missing file leaves every default and is never created.
void LoadSettings(const std::filesystem::path& path = "Settings.ini");
// Stores the map zoom (factor times 100, rounded up) and writes Settings.ini with every
// setting. False when nothing was written: the file was never there (it is not created) or
// could not be written, why then getting the system's reason.
bool SaveZoomSetting(float zoom, std::error_code* why = nullptr);
// Restores every default (tests).
void ResetSettingsToDefaults();
