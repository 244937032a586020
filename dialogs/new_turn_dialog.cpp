#include "dialogs/new_turn_dialog.h"

#include "core/stringbase.h"
#include "dialogs/country_flag.h"
#include "game/game.h"
#include "game/presentation.h"
#include "gui/controls.h"
#include "shell/sound.h"
#include "world/country.h"

namespace {
constexpr int kDrumRollSlot = 24;
constexpr unsigned kFlagSlot = 3;
// The dark of the panels' frames: the screen under the announcement of a hot-seat turn.
constexpr tColor kCoverColour = 0xFF22211D;

} // namespace

cCountryCover::cCountryCover(int countryId, bool wholeScreen, const std::wstring& text)
    : cDialog(kNewTurnDialogKind, LayoutRow(kNewTurnDialogKind))
{
    if (wholeScreen) {
        const sLayoutRect screen = LayoutRow(1);
        SetLocation(screen.x, screen.y);
        SetSize(screen.width, screen.height);
        SetBackgroundColors(kCoverColour);
    }
    AddImageFromLayout(732, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
    ShowCountryFlag(*this, 732, countryId, kFlagSlot);
    // Wrapped: a long country name would cut the line at the window's edges.
    AddText(733, text, true)->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
}

namespace {

std::wstring NameOf(int countryId)
{
    const cPanstwo* country = GetCountry(countryId);
    return country ? country->Name : std::wstring();
}

} // namespace

// The person leaving the screen must not see where the next side's units stand: with
// several people at the screen the announcement covers it until it is closed.
cDialogNowejTury::cDialogNowejTury(int countryId)
    : cCountryCover(countryId, g_Gra && g_Gra->SeveralPeopleShareTheScreen(),
                    LangFormat("new_turn_title_country%s", NameOf(countryId))),
      m_CountryId(countryId)
{
    // The status line beneath is covered: the window itself says how to go on.
    AddText(734, LangText("statusbar_hint_new_turn"))->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    PlaySoundSlot(kDrumRollSlot);
}

cReadingCover::cReadingCover(int countryId)
    : cCountryCover(countryId, true, LangFormat("cover_for_country%s", NameOf(countryId))), m_CountryId(countryId)
{
    // The window read over the cover stands in the middle of the screen, where the cover's
    // own would be hidden: the flag and the name go to the top left corner, beside every
    // window that is read so at each screen size.
    const sLayoutRect screen = LayoutRow(1);
    constexpr int kMargin = 12;
    if (CDXUTControl* frame = GetControl(kNewTurnDialogKind))
        frame->SetVisible(false);
    if (CDXUTControl* flag = GetControl(732))
        flag->SetLocation(kMargin, kMargin);
    if (auto* name = static_cast<CDXUTStatic*>(GetControl(733, DXUT_CONTROL_STATIC))) {
        name->SetLocation(kMargin, 2 * kMargin + kFlagPictureHeight);
        name->SetSize(screen.width * 18 / 100, LayoutRow(733).height);
        name->m_dwTextFormat = DT_LEFT | DT_TOP | DT_WORDBREAK;
    }
}

void cReadingCover::OnReactivate()
{
    // What it covered for was read: the screen is everybody's again.
    CloseTopDialogs(1);
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

void cDialogNowejTury::OnDismissed()
{
    CloseTopDialogs(1);
    // The turn is the person's from here. The announcement may have opened before the
    // opponent's thread handed the game over, when the figures were still hidden.
    Presentation().RefreshPoints();
}
