#include "dialogs/new_turn_dialog.h"

#include <algorithm>

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

std::wstring NameOf(int countryId)
{
    const cPanstwo* country = GetCountry(countryId);
    return country ? country->Name : std::wstring();
}

// The controls of the flags after the first, one beside the other.
constexpr int kFurtherFlagsId = 735;

int FlagId(size_t index) { return index == 0 ? 732 : kFurtherFlagsId + int(index) - 1; }

// "For the person who plays A", or "For the persons who play A, B and C".
std::wstring ReadersLine(const std::vector<int>& countryIds)
{
    if (countryIds.size() < 2)
        return LangFormat("cover_for_country%s", NameOf(countryIds.empty() ? 0 : countryIds.front()));
    std::wstring firsts;
    for (size_t k = 0; k + 1 < countryIds.size(); ++k)
        firsts += (k ? L", " : L"") + NameOf(countryIds[k]);
    return LangFormat("cover_for_countries%s%s", firsts, NameOf(countryIds.back()));
}

} // namespace

cCountryCover::cCountryCover(std::vector<int> countryIds, bool wholeScreen, const std::wstring& text)
    : cDialog(kNewTurnDialogKind, LayoutRow(kNewTurnDialogKind)), m_CountryIds(std::move(countryIds))
{
    if (m_CountryIds.empty())
        m_CountryIds.push_back(0);
    if (wholeScreen) {
        const sLayoutRect screen = LayoutRow(1);
        SetLocation(screen.x, screen.y);
        SetSize(screen.width, screen.height);
        SetBackgroundColors(kCoverColour);
        // Its further texts and flags are no followers of its frame: dragged, the box would
        // leave them behind on the cover.
        if (auto* frame = static_cast<CDXUTFrame*>(GetControl(kNewTurnDialogKind, DXUT_CONTROL_FRAME)))
            frame->m_bDraggable = false;
    }
    AddImageFromLayout(732, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
    ShowCountryFlag(*this, 732, m_CountryIds.front(), kFlagSlot);
    // Several flags stand in a row where the one would, shrunk when the window is too narrow.
    if (const int n = int(m_CountryIds.size()); n > 1) {
        constexpr int kGap = 12;
        const sLayoutRect flag = LayoutRow(732), window = LayoutRow(kNewTurnDialogKind);
        const int width = std::min(flag.width, (window.width - (n + 1) * kGap) / n);
        const int height = flag.height * width / std::max(flag.width, 1);
        int x = flag.x + flag.width / 2 - (n * width + (n - 1) * kGap) / 2;
        for (size_t k = 0; k < m_CountryIds.size(); ++k, x += width + kGap) {
            if (k > 0) {
                AddImage(FlagId(k), 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, 0, 0, 0, 0);
                ShowCountryFlag(*this, FlagId(k), m_CountryIds[k], kFlagSlot + unsigned(k));
                GetControl(FlagId(k))->SetEnabled(false);
            }
            GetControl(FlagId(k))->SetLocation(x, flag.y + (flag.height - height) / 2);
            GetControl(FlagId(k))->SetSize(width, height);
        }
    }
    // Wrapped: a long country name would cut the line at the window's edges.
    AddText(733, text, true)->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
}

void cClickedCover::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (keyDown && (key == VK_RETURN || key == VK_ESCAPE))
        OnDismissed();
}

// Only a click made on it closes it: a press from before it opened (on the map, as the
// computer's phase ended) would close it unread at its release.
void cClickedCover::OnMouse(bool left, bool, bool, bool, bool, int, int, int)
{
    const bool released = m_LeftHeld && !left;
    m_LeftHeld = left;
    if (released)
        OnDismissed();
}

// The person leaving the screen must not see where the next side's units stand: with
// several people at the screen the announcement covers it until it is closed.
cDialogNowejTury::cDialogNowejTury(int countryId)
    : cClickedCover({countryId}, g_Gra && g_Gra->SeveralPeopleShareTheScreen(),
                    LangFormat("new_turn_title_country%s", NameOf(countryId)))
{
    // Over the whole screen the status line is covered: the window itself says how to go on.
    if (g_Gra && g_Gra->SeveralPeopleShareTheScreen())
        AddText(734, LangText("statusbar_hint_new_turn"))->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    PlaySoundSlot(kDrumRollSlot);
}

cReadingCover::cReadingCover(std::vector<int> countryIds)
    : cCountryCover(countryIds, true, ReadersLine(countryIds))
{
    // The window read over the cover stands in the middle of the screen, where the cover's
    // own would be hidden: the flags and the names go to the top left corner, beside every
    // window that is read so at each screen size.
    const sLayoutRect screen = LayoutRow(1);
    constexpr int kMargin = 12;
    if (CDXUTControl* frame = GetControl(kNewTurnDialogKind))
        frame->SetVisible(false);
    int right = kMargin, bottom = kMargin;
    for (size_t k = 0; k < CountryIds().size(); ++k)
        if (CDXUTControl* flag = GetControl(FlagId(k))) {
            flag->SetLocation(right, kMargin);
            // Below the flags as the layout sized them: a larger screen's flag is taller.
            right += flag->m_width + kMargin;
            bottom = std::max(bottom, kMargin + flag->m_height);
        }
    if (auto* name = static_cast<CDXUTStatic*>(GetControl(733, DXUT_CONTROL_STATIC))) {
        name->SetLocation(kMargin, bottom + kMargin);
        name->SetSize(std::max(screen.width * 18 / 100, right - 2 * kMargin), LayoutRow(733).height);
        name->m_dwTextFormat = DT_LEFT | DT_TOP | DT_WORDBREAK;
    }
}

void cReadingCover::OnReactivate()
{
    // What it covered for was read: the screen is everybody's again.
    CloseTopDialogs(1);
}

cCoverBeforeScreen::cCoverBeforeScreen(std::vector<int> countryIds, RequestHandle request, tOpen open)
    : cClickedCover(countryIds, true, ReadersLine(countryIds)), m_Request(std::move(request)), m_Open(std::move(open))
{
    AddText(734, LangText("cover_click_to_go_on"))->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
}

cCoverBeforeScreen::~cCoverBeforeScreen()
{
    // Freed before anybody clicked (the game ends under it): nothing waits on for it.
    if (m_Request && !m_Request->IsComplete())
        m_Request->Complete(m_Request->Data().fallbackAnswer);
}

void cCoverBeforeScreen::OnDismissed()
{
    CloseTopDialogs(1);
    tOpen open = std::move(m_Open);
    if (RequestHandle request = std::move(m_Request); request && open)
        open(request);
}

void cDialogNowejTury::OnDismissed()
{
    CloseTopDialogs(1);
    // The turn is the person's from here. The announcement may have opened before the
    // opponent's thread handed the game over, when the figures were still hidden.
    Presentation().RefreshPoints();
}
