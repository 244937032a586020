// Info.ini: the description of a scenario, and where a saved game stands.
#include <cstdlib>
#include <ctime>

#include "core/fatal.h"
#include "core/format.h"
#include "core/ini.h"
#include "core/log.h"
#include "core/text.h"
#include "core/version.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "platform/paths.h"

namespace {

constexpr size_t kMaxScenarioName = 499;

std::wstring Truncated(const std::wstring& text, const char* key)
{
    if (text.size() <= kMaxNameLength)
        return text;
    LogLine(L"Info.ini: %S is longer than %i characters and is cut short", key, int(kMaxNameLength));
    return text.substr(0, kMaxNameLength);
}

bool IsPlainFolderName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L".." || name.size() > kMaxScenarioName)
        return false;
    return name.find_first_of(L"\\/:") == std::wstring::npos;
}

} // namespace

void cGra::ReadInfoIni(const sGameLoadRequest& request)
{
    cIniFile ini;
    ini.Load(HostPath(JoinPathPattern(request.folderPattern, L"Info.ini")));

    m_Date[0] = ini.GetInt("Save/Impulse", 0);
    m_Date[1] = ini.GetInt("Save/GameMonth", 0);
    m_Date[2] = ini.GetInt("Save/GameYear", 0);
    m_ScenarioName = ini.GetString("Save/ScenarioName", L"unknown");
    if (!IsPlainFolderName(m_ScenarioName))
        FatalExit(1, FormatText(L"ERROR: Info.ini: the scenario name \"%s\" is not the name of a scenario folder",
                                m_ScenarioName));
    m_Turn = ini.GetInt("Save/Turn", 0);
    m_TurnsLeft = ini.GetInt("Duration/Turns", m_Turn) - m_Turn;

    m_PbemPlayers.clear();
    m_IsPbem = ini.HasKey("Save/PBEMGameName");
    m_PbemGameName = m_IsPbem ? Truncated(ini.GetString("Save/PBEMGameName", L""), "Save/PBEMGameName") : L"unknown";
    for (int n = 1; n <= kMaxPbemPlayers; ++n) {
        const std::string nameKey = "Save/PBEMPlayer" + std::to_string(n) + "Name";
        const std::string emailKey = "Save/PBEMPlayer" + std::to_string(n) + "Email";
        if (!ini.HasKey(nameKey) || !ini.HasKey(emailKey))
            break;
        m_PbemPlayers.push_back({n, Truncated(ini.GetString(nameKey, L""), nameKey.c_str()),
                                 Truncated(ini.GetString(emailKey, L""), emailKey.c_str())});
    }

    m_SaveGameVersion = float(LeadingDouble(ini.GetString("Save/GameVersion", L"1.0")));
    m_DisplayedDate[0] = ini.GetInt("Save/GameDay", 1);
    m_DisplayedDate[1] = m_Date[1];
    m_DisplayedDate[2] = m_Date[2];

    // Compared before the 1 is taken off, so that no value read can overflow.
    const int small = ini.GetInt("Map/SmallUnitsSize", 1);
    m_SmallUnitsSize = small >= 2 && small <= 6 ? small - 1 : 0;
    const int large = ini.GetInt("Map/LargeUnitsSize", 2);
    m_LargeUnitsSize = large >= 2 && large <= 6 ? large - 1 : 1;

    m_ScenarioFolderPattern = MakeFolderPattern(L"data\\scenarios", m_ScenarioName);
}

void cGra::WriteSaveInfoIni(std::wstring_view saveFolder) const
{
    const std::wstring target = JoinFolder(saveFolder, L"Info.ini");
    if (IsInScenarioFolder(target)) {
        LogLine(L"ERROR: a save may not write into a scenario folder: %s", target);
        FailSaveFile();
    }
    // The scenario's own description, so that the save carries every key of it.
    cIniFile ini;
    ini.Load(HostPath(JoinPathPattern(MakeFolderPattern(L"data\\scenarios", m_ScenarioName), L"Info.ini")));

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    ini.SetString("Save/Date", FormatText(L"%02d.%02d.%02d %02d:%02d", local.tm_year % 100, local.tm_mon + 1,
                                          local.tm_mday, local.tm_hour, local.tm_min));
    ini.SetInt("Save/Turn", m_Turn);
    ini.SetInt("Save/Impulse", m_Date[0]);
    ini.SetInt("Save/GameDay", m_DisplayedDate[0]);
    ini.SetInt("Save/GameMonth", m_Date[1]);
    ini.SetInt("Save/GameYear", m_Date[2]);
    ini.SetString("Save/ScenarioName", m_ScenarioName);
    ini.SetInt("Save/GameDayDisplayed", m_DisplayedDate[0]);
    ini.SetInt("Save/GameMonthDisplayed", m_DisplayedDate[1]);
    ini.SetInt("Save/GameYearDisplayed", m_DisplayedDate[2]);
    ini.SetString("Save/GameVersion", FormatText(L"%.2f", double(kGameVersion)));
    if (m_IsPbem) {
        ini.SetString("Save/PBEMGameName", m_PbemGameName);
        int position = 1;
        for (const sPbemPlayer& p : m_PbemPlayers) {
            ini.SetString("Save/PBEMPlayer" + std::to_string(position) + "Name", p.name);
            ini.SetString("Save/PBEMPlayer" + std::to_string(position) + "Email", p.email);
            ++position;
        }
    }
    if (!ini.SaveAs(HostPath(target)))
        LogLine(L"ERROR: could not write %s", target);
}
