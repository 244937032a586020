#include "dialogs/new_turn_dialog.h"

#include "core/stringbase.h"
#include "dialogs/country_flag.h"
#include "game/game.h"
#include "gui/controls.h"
#include "shell/sound.h"
#include "world/country.h"

namespace {
constexpr int kDrumRollSlot = 24;
constexpr unsigned kFlagSlot = 3;
// The dark of the panels' frames: the screen under the announcement of a hot-seat turn.
constexpr tColor kCoverColour = 0xFF22211D;
} // namespace

cDialogNowejTury::cDialogNowejTury(int countryId)
    : cDialog(kNewTurnDialogKind, LayoutRow(kNewTurnDialogKind)), m_CountryId(countryId)
{
    // The person leaving the screen must not see where the next side's units stand: with
    // several people at the screen the announcement covers it until it is closed.
    if (g_Gra && g_Gra->SeveralPeopleShareTheScreen()) {
        const sLayoutRect screen = LayoutRow(1);
        SetLocation(screen.x, screen.y);
        SetSize(screen.width, screen.height);
        SetBackgroundColors(kCoverColour);
    }
    const cPanstwo* country = GetCountry(countryId);
    AddImageFromLayout(732, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
    ShowCountryFlag(*this, 732, countryId, kFlagSlot);
    // Wrapped: a long country name would cut the line at the window's edges.
    AddText(733, LangFormat("new_turn_title_country%s", country ? country->Name : std::wstring()), true)
        ->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    PlaySoundSlot(kDrumRollSlot);
}

void cDialogNowejTury::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (keyDown && (key == VK_RETURN || key == VK_ESCAPE))
        OnDismissed();
}

void cDialogNowejTury::OnMouse(bool left, bool, bool, bool, bool, int, int, int)
{
    const bool released = m_LeftHeld && !left;
    m_LeftHeld = left;
    if (released)
        OnDismissed();
}

void cDialogNowejTury::OnDismissed() { CloseTopDialogs(1); }
