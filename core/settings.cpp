#include "core/settings.h"

#include <climits>
#include <cmath>
#include <optional>

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"

const std::array<sDelaySetting, kDelayCount> g_DelayTable = {{
    {"Delay/ControlHint", "delay_control_hint", 157},
    {"Delay/AICombatResult", "delay_ai_combat_result", 160},
    {"Delay/HumanCombatResult", "delay_human_combat_result", 163},
    {"Delay/HumanDeployAfter", "delay_human_deploy_after", 166},
    {"Delay/HumanReconAfter", "delay_human_recon_after", 169},
    {"Delay/AIMoveBefore", "delay_ai_move_before", 116},
    {"Delay/AIMoveBetween", "delay_ai_move_between", 119},
    {"Delay/AIMoveAfter", "delay_ai_move_after", 122},
    {"Delay/AICombatBefore", "delay_ai_combat_before", 125},
    {"Delay/AICombatAfter", "delay_ai_combat_after", 128},
    {"Delay/AIDeployBefore", "delay_ai_deploy_before", 131},
    {"Delay/AIDeployAfter", "delay_ai_deploy_after", 134},
    {"Delay/AIReplacementBefore", "delay_ai_replacement_before", 137},
    {"Delay/AIReplacementAfter", "delay_ai_replacement_after", 140},
    {"Delay/HumanMoveBetween", "delay_human_move_between", 143},
}};

std::array<float, kDelayCount> g_DelayValues = {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000,
                                                1000, 1000, 1000, 1000, 1000, 1000, 1000};

cIniFile g_Settings;
sUserSettings g_UserSettings;
float g_MapZoom = 1.0f;

namespace {

// A value that would break its user is replaced, and the replacement logged.
int Checked(const char* key, int value, int low, int high, int fallback)
{
    if (value >= low && value <= high)
        return value;
    LogLine(L"Settings: %S = %i is out of range (%i to %i), using %i", key, value, low, high, fallback);
    return fallback;
}

// A volume is heard only from 0 to 100 (the mixer stops there) and its formula overflows far
// beyond: a value outside is taken at the nearer end, which sounds as the value itself would.
float Volume(const char* key, int value)
{
    return float(Checked(key, value, 0, 100, value < 0 ? 0 : 100)) / 100.0f;
}

} // namespace

void ResetSettingsToDefaults()
{
    g_UserSettings = sUserSettings();
    g_MapZoom = g_UserSettings.mapZoom;
    g_DelayValues.fill(1000.0f);
    g_TraceGlobalLock = false;
    g_Settings.Clear();
}

void LoadSettings(const std::filesystem::path& path)
{
    LogLine(L"Loading settings...");
    if (!g_Settings.Load(path))
        return;
    cIniFile& ini = g_Settings;
    sUserSettings& s = g_UserSettings;
    // A size without a layout file of its own stops the start-up when the layout is read.
    s.resolutionX = ini.GetInt("Main/ResolutionX", 1024);
    s.resolutionY = ini.GetInt("Main/ResolutionY", 768);
    s.fullscreen = ini.GetBool("Main/Fullscreen", false);
    g_StringBase.SetLanguage(L"ENG");
    // A negative limit would make a negative frame sleep, which the system's sleep takes as
    // nearly fifty days.
    s.fpsLimit = Checked("Main/FPSLimit", ini.GetInt("Main/FPSLimit", 0), 0, INT_MAX, 0);
    s.showUnitName = ini.GetBool("UnitsDisplay/ShowName", true);
    s.unitsSkin = ini.GetString("UnitsDisplay/Skin", L"Counters");
    s.dynamicAppearance = ini.GetBool("UnitsDisplay/DynamicAppearance", true);
    s.mapSkin = ini.GetString("MapDisplay/Skin", L"Normal");
    s.mapZoom = float(ini.GetInt("MapDisplay/Zoom", 100)) / 100.0f;
    g_MapZoom = s.mapZoom;
    s.showGrid = ini.GetBool("MapDisplay/ShowGrid", true);
    s.showCityName = ini.GetBool("MapDisplay/ShowCityName", true);
    s.showAPLeft = ini.GetBool("MapDisplay/ShowAPLeft", true);
    s.showWeather = ini.GetBool("MapDisplay/ShowWeather", true);
    s.showSeaZoneName = ini.GetBool("MapDisplay/ShowSeaZoneName", true);
    s.ownershipMode = ini.GetInt("MapDisplay/OwnershipMode", 0);
    s.mapMode = ini.GetInt("MapDisplay/Mode", 0);
    s.borderMode = ini.GetInt("Border/Mode", 0);
    s.showSeaZonesBorders = ini.GetBool("Border/ShowSeaZonesBorders", true);
    // Components above 255 spill into the next one, as the colour formula says.
    const uint32_t a = uint32_t(ini.GetInt("Border/ColorA", 255));
    const uint32_t r = uint32_t(ini.GetInt("Border/ColorR", 255));
    const uint32_t g = uint32_t(ini.GetInt("Border/ColorG", 255));
    const uint32_t b = uint32_t(ini.GetInt("Border/ColorB", 255));
    s.borderColor = ((a * 256u + r) * 256u + g) * 256u + b;
    s.fogOfWar = ini.GetInt("Gameplay/FogOfWar", 0);
    s.showAlliesActions = ini.GetBool("Gameplay/ShowAlliesActions", true);
    s.minimapOwnershipMode = ini.GetInt("MinimapDisplay/OwnershipMode", 0);
    s.skipEndTurnConfirmation = !ini.GetBool("InterfaceSettings/ConfirmEndTurn", true);
    s.seaBattleTimeout = ini.GetInt("InterfaceSettings/SeaBattleTimeout", 2);
    s.musicVolume = Volume("Audio/MusicVolume", ini.GetInt("Audio/MusicVolume", 100));
    s.sfxVolume = Volume("Audio/SFXVolume", ini.GetInt("Audio/SFXVolume", 100));
    for (int row = 0; row < kDelayCount; ++row)
        g_DelayValues[size_t(row)] = float(ini.GetInt(g_DelayTable[size_t(row)].iniKey, 1000));
    // Looked up without the getter's default: a file without the switch is saved without it.
    const std::optional<std::wstring> trace = ini.Find("Debug/TraceLock");
    g_TraceGlobalLock = trace && (*trace == L"true" || *trace == L"yes");
}

void SaveZoomSetting(float zoom)
{
    g_UserSettings.mapZoom = zoom;
    // Rounded up, but not for the float's last bits: a zoom of 0.1 (0.100000001) stays 10,
    // where it would come back one step larger from each game.
    g_Settings.SetInt("MapDisplay/Zoom", int(std::ceil(double(zoom) * 100.0 - 1e-4)));
    g_Settings.Save();
}
