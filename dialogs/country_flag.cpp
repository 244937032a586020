#include "dialogs/country_flag.h"

#include "core/format.h"
#include "game/game.h"
#include "gui/controls.h"
#include "platform/paths.h"
#include "world/country.h"

namespace {
const wchar_t* const kPlaceholderFlag = L"data\\gfx\\Flags\\unknown.png";
}

std::wstring CountryFlagFile(const cPanstwo& country)
{
    if (!country.GetFlagPath().empty())
        return country.GetFlagPath();
    if (g_Gra) {
        std::wstring own = FormatText(L"data\\scenarios\\%s\\Flags\\%s.png", g_Gra->m_ScenarioName, country.Name);
        if (FileExists(HostPath(own)))
            return own;
    }
    std::wstring common = FormatText(L"data\\gfx\\Flags\\%s.png", country.Name);
    return FileExists(HostPath(common)) ? common : kPlaceholderFlag;
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
