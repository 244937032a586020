#include "core/settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <optional>

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "platform/paths.h"

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

int MinDelaySeconds(int row) { return row == DELAY_AI_COMBAT_RESULT || row == DELAY_HUMAN_COMBAT_RESULT ? -1 : 0; }

cIniFile g_Settings;
sUserSettings g_UserSettings;
float g_MapZoom = 1.0f;

namespace {

// Four hours. A delay is kept as a float of milliseconds and the windows count it down as a
// float of seconds: below 2^24 ms (4.66 hours) both still count single milliseconds.
constexpr int kLongestDelayMs = 4 * 60 * 60 * 1000;

// Only the combat results wait for a click, at any value below 0. Elsewhere nothing waits:
// a window hidden for a deployment or a recon (rows 3 and 4) would never come back, and the
// preferences would say "until you click" of a pause that does not wait.
int LeastDelayMs(int row) { return MinDelaySeconds(row) < 0 ? INT_MIN : 0; }

// A value of the file that is not of its key's kind, or outside the range the game can act
// on (each range says why at its key), is replaced by the key's default, here and in the
// store (so that the file holds it from its next save), and the replacement is logged: the
// player who typed it can find why.
int ReadInt(cIniFile& ini, const char* key, int def, int low, int high)
{
    const std::optional<std::wstring> text = ini.Find(key);
    if (!text)
        return ini.GetInt(key, def);
    int value = 0;
    if (!ParseInt(*text, value)) {
        LogLine(L"Settings: %S = \"%s\" is not a whole number, using %i", key, *text, def);
    } else if (value < low || value > high) {
        LogLine(L"Settings: %S = %i is out of range (%i to %i), using %i", key, value, low, high, def);
    } else {
        return value;
    }
    ini.SetInt(key, def);
    return def;
}

bool ReadBool(cIniFile& ini, const char* key, bool def)
{
    const std::optional<std::wstring> text = ini.Find(key);
    if (!text)
        return ini.GetBool(key, def);
    if (*text == L"true" || *text == L"yes")
        return true;
    if (*text == L"false" || *text == L"no")
        return false;
    LogLine(L"Settings: %S = \"%s\" is neither true nor false, using %s", key, *text, def ? L"true" : L"false");
    ini.SetBool(key, def);
    return def;
}

// A skin is a folder of data\gfx named by its prefix and the setting: a name that is a path
// would load pictures from anywhere, and a missing folder would draw nothing.
std::wstring ReadSkin(cIniFile& ini, const char* key, const wchar_t* prefix, const std::wstring& def)
{
    const std::wstring name = ini.GetString(key, def);
    if (name == def)
        return name;
    std::error_code ec;
    const bool folderName = !name.empty() && name != L"." && name != L".." &&
                            name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos &&
                            std::none_of(name.begin(), name.end(), [](wchar_t c) { return c < 32; });
    if (folderName && std::filesystem::is_directory(HostPath(L"data\\gfx\\" + (prefix + name)), ec))
        return name;
    LogLine(L"Settings: %S = \"%s\" is not a skin of data\\gfx, using %s", key, name, def);
    ini.SetString(key, def);
    return def;
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
    const sUserSettings defaults;
    // No window is of no pixels; a size without a layout file of its own is replaced when the
    // layout is read.
    s.resolutionX = ReadInt(ini, "Main/ResolutionX", defaults.resolutionX, 1, INT_MAX);
    s.resolutionY = ReadInt(ini, "Main/ResolutionY", defaults.resolutionY, 1, INT_MAX);
    s.fullscreen = ReadBool(ini, "Main/Fullscreen", false);
    g_StringBase.SetLanguage(L"ENG");
    // A negative limit would make a negative frame sleep, which the system's sleep takes as
    // nearly fifty days.
    s.fpsLimit = ReadInt(ini, "Main/FPSLimit", 0, 0, INT_MAX);
    s.showUnitName = ReadBool(ini, "UnitsDisplay/ShowName", true);
    s.unitsSkin = ReadSkin(ini, "UnitsDisplay/Skin", L"[UnitsSkin]", defaults.unitsSkin);
    s.dynamicAppearance = ReadBool(ini, "UnitsDisplay/DynamicAppearance", true);
    s.mapSkin = ReadSkin(ini, "MapDisplay/Skin", L"[MapSkin]", defaults.mapSkin);
    // Any: the first view of the map brings it within the wheel's reach (full size at most,
    // the whole map's width at least).
    s.mapZoom = float(ReadInt(ini, "MapDisplay/Zoom", 100, INT_MIN, INT_MAX)) / 100.0f;
    g_MapZoom = s.mapZoom;
    s.showGrid = ReadBool(ini, "MapDisplay/ShowGrid", true);
    s.showCityName = ReadBool(ini, "MapDisplay/ShowCityName", true);
    s.showAPLeft = ReadBool(ini, "MapDisplay/ShowAPLeft", true);
    s.showWeather = ReadBool(ini, "MapDisplay/ShowWeather", true);
    s.showSeaZoneName = ReadBool(ini, "MapDisplay/ShowSeaZoneName", true);
    // The modes the map and the minimap draw, which the keys and buttons cycle through: another
    // number names no drawing (the map would show it as one of them, or none, and the map
    // mode's button would never leave it).
    s.ownershipMode = ReadInt(ini, "MapDisplay/OwnershipMode", 0, 0, 3);
    s.mapMode = ReadInt(ini, "MapDisplay/Mode", 0, 0, 3);
    s.borderMode = ReadInt(ini, "Border/Mode", 0, 0, 2);
    s.showSeaZonesBorders = ReadBool(ini, "Border/ShowSeaZonesBorders", true);
    // One byte each: a component above 255 would spill into the next one.
    const uint32_t a = uint32_t(ReadInt(ini, "Border/ColorA", 255, 0, 255));
    const uint32_t r = uint32_t(ReadInt(ini, "Border/ColorR", 255, 0, 255));
    const uint32_t g = uint32_t(ReadInt(ini, "Border/ColorG", 255, 0, 255));
    const uint32_t b = uint32_t(ReadInt(ini, "Border/ColorB", 255, 0, 255));
    s.borderColor = ((a * 256u + r) * 256u + g) * 256u + b;
    // Any sight: the hex distance holds the largest, and below 0 a side sees no enemy land or
    // air unit but those its recon found.
    s.fogOfWar = ReadInt(ini, "Gameplay/FogOfWar", 0, INT_MIN, INT_MAX);
    s.showAlliesActions = ReadBool(ini, "Gameplay/ShowAlliesActions", true);
    s.minimapOwnershipMode = ReadInt(ini, "MinimapDisplay/OwnershipMode", 0, 0, 3);
    s.skipEndTurnConfirmation = !ReadBool(ini, "InterfaceSettings/ConfirmEndTurn", true);
    // Seconds: below 0 there is no time to show.
    s.seaBattleTimeout = ReadInt(ini, "InterfaceSettings/SeaBattleTimeout", 2, 0, INT_MAX);
    // Nothing sounds louder than full or quieter than silence: the preferences would show a
    // volume that is not heard, and far beyond them the effects' decibels overflow an int.
    s.musicVolume = float(ReadInt(ini, "Audio/MusicVolume", 100, 0, 100)) / 100.0f;
    s.sfxVolume = float(ReadInt(ini, "Audio/SFXVolume", 100, 0, 100)) / 100.0f;
    for (int row = 0; row < kDelayCount; ++row)
        g_DelayValues[size_t(row)] =
            float(ReadInt(ini, g_DelayTable[size_t(row)].iniKey.c_str(), 1000, LeastDelayMs(row), kLongestDelayMs));
    // Looked up without the getter's default: a file without the switch is saved without it.
    const std::optional<std::wstring> trace = ini.Find("Debug/TraceLock");
    g_TraceGlobalLock = trace && ReadBool(ini, "Debug/TraceLock", false);
}

bool SaveZoomSetting(float zoom, std::error_code* why)
{
    g_UserSettings.mapZoom = zoom;
    // Rounded up, but not for the float's last bits: a zoom of 0.1 (0.100000001) stays 10,
    // where it would come back one step larger from each game.
    g_Settings.SetInt("MapDisplay/Zoom", int(std::ceil(double(zoom) * 100.0 - 1e-4)));
    return g_Settings.Save(why);
}
