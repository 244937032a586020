#include "dialogs/country_flag.h"

#include "core/format.h"
#include "core/log.h"
#include "game/game.h"
#include "gui/controls.h"
#include "gui/resource_manager.h"
#include "platform/paths.h"
#include "platform/texture.h"
#include "world/country.h"

namespace {
const wchar_t* const kPlaceholderFlag = L"data\\gfx\\Flags\\unknown.png";

// Decoded, not only found: a file of the flag's name that is no picture would show no flag
// where the placeholder shows one. It is decoded once, into the texture the window draws.
bool Loads(const std::wstring& path)
{
    if (DXUTGetGlobalDialogResourceManager()->DecodeTexture(path))
        return true;
    // A flag of the country's name is looked for in two places: a file missing is no fault.
    if (FileExists(HostPath(path)))
        LogLine(L"Loading file \"%s\" (%i) [FAILED]", path, 1);
    return false;
}
} // namespace

std::wstring CountryFlagFile(const cPanstwo& country)
{
    if (!country.GetFlagPath().empty())
        return country.GetFlagPath();
    if (g_Gra) {
        std::wstring own = FormatText(L"data\\scenarios\\%s\\Flags\\%s.png", g_Gra->m_ScenarioName, country.Name);
        if (Loads(own))
            return own;
    }
    std::wstring common = FormatText(L"data\\gfx\\Flags\\%s.png", country.Name);
    return Loads(common) ? common : kPlaceholderFlag;
}

void ShowCountryFlag(CDXUTDialog& dialog, int imageId, int countryId, unsigned slot)
{
    auto* image = static_cast<CDXUTImage*>(dialog.GetControl(imageId, DXUT_CONTROL_IMAGE));
    if (!image)
        return;
    const cPanstwo* country = GetCountry(countryId);
    dialog.SetTexture(slot, country ? CountryFlagFile(*country) : kPlaceholderFlag);
    image->SetTextureIndex(int(slot));
    image->SetTextureRect(sRect{0, 0, kFlagPictureWidth, kFlagPictureHeight});
}
