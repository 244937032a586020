#include "dialogs/unit_pictures.h"

#include <algorithm>

#include "core/format.h"
#include "core/log.h"
#include "game/game.h"
#include "gui/resource_manager.h"
#include "platform/paths.h"
#include "platform/texture.h"

std::wstring ScenarioUnitPicturePath(const std::wstring& name)
{
    return FormatText(L"data\\scenarios\\%s\\Units images\\%s", g_Gra ? g_Gra->m_ScenarioName : std::wstring(), name);
}

std::wstring CommonUnitPicturePath(const std::wstring& name) { return L"data\\gfx\\Units images\\" + name; }

std::wstring UnitNamePictureFile(const std::wstring& unitName)
{
    std::wstring name = unitName;
    std::replace(name.begin(), name.end(), L'/', L'_');
    std::replace(name.begin(), name.end(), L'\\', L'_');
    return name + L".png";
}

bool TryUnitPictureFile(const std::wstring& path)
{
    // Decoded, not only found: a file of that name that is no picture would be taken, the
    // files after it never tried, and the panel would show no picture at all.
    // Decoded into the texture the window then draws: not a second time when it is shown.
    const bool loads = DXUTGetGlobalDialogResourceManager()->DecodeTexture(path);
    LogLine(loads ? L"Loading file \"%s\" (%i) [OK]" : L"Loading file \"%s\" (%i) [FAILED]", path, 1);
    return loads;
}

std::wstring FindUnitPictureFile(const std::vector<std::wstring>& names)
{
    for (const std::wstring& name : names)
        for (const std::wstring& path : {ScenarioUnitPicturePath(name), CommonUnitPicturePath(name)})
            if (TryUnitPictureFile(path))
                return path;
    return {};
}
