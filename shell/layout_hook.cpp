#include "shell/layout_hook.h"

#include <algorithm>

#include "core/settings.h"
#include "gui/control.h"
#include "gui/dialog.h"
#include "gui/frames.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "shell/links.h"

namespace {

struct sFollowers
{
    int head;
    int last;
};

// A window's frame and the last of the controls that follow it.
constexpr sFollowers kFollowerGroups[] = {
    {82, 171},  {252, 258}, {480, 505}, {550, 578}, {630, 640}, {667, 673}, {675, 677},  {678, 680},
    {681, 683}, {684, 688}, {689, 693}, {694, 700}, {701, 707}, {708, 714}, {715, 721},  {722, 728},
    {730, 733}, {740, 757}, {790, 800}, {810, 826}, {840, 852}, {860, 871}, {880, 894},  {900, 919},
    {930, 938}, {940, 956}, {960, 968}, {1010, 1025},
};

// The followers start above a window's frame, where the preferences', save window's and hotkey
// list's titles have ids below it (the two disagree): a dragged window would leave its title
// behind on the map.
struct sTitleBelowFrame
{
    int frame;
    int title;
};
constexpr sTitleBelowFrame kTitlesBelowFrames[] = {{82, 80}, {252, 250}, {667, 665}};

// The info panel's buttons that open a panel, and the controls of that panel.
struct sPanelButton
{
    int button;
    iPanelScreen** panel;
    int first;
    int last;
};

const sPanelButton kPanelButtons[] = {
    {350, &g_UnitPanel, 351, 390},
    {400, &g_HexPanel, 401, 421},
    {450, &g_AttackPanel, 451, 473},
    {600, &g_DiplomacyPanel, 601, 627},
};

constexpr int kEventDialog = 780;

void Record(int id, int left, int top, int right, int bottom)
{
    g_GuiLayout[size_t(id)] = sLayoutRect{left, top, right - left, bottom - top};
}

// A panel's move: every row of its range, and its controls that exist (each move records
// its own row again through this hook). The unit, hex, attack and diplomacy panels' MoveBy,
// written once for the four, which differ only in their ranges, where a fold button's drag
// arrives.
void MovePanel(iPanelScreen* panel, int first, int last, int dx, int dy)
{
    CDXUTDialog* dialog = panel ? panel->GetDialog() : nullptr;
    for (int id = first; id <= last; ++id) {
        sLayoutRect& row = g_GuiLayout[size_t(id)];
        row.x += dx;
        row.y += dy;
        if (CDXUTControl* control = dialog ? dialog->GetControl(id) : nullptr)
            control->MoveBy(dx, dy);
    }
}

// A window is dragged by its title bar, the top band of its frame: it may go partly off the
// screen, but a corner of that band a frame cell square always stays where the pointer
// reaches it, or the window would stay open with no way to move or close it by the mouse.
bool TitleBarInReach(const CDXUTDialog& dialog, const CDXUTControl& frame, int left, int top, int right, int bottom)
{
    const int cell = std::max(1, CDXUTFrame::CellSize(frame.m_nStyle));
    const sRect r = dialog.ToScreenRect(sRect{left, top, right, bottom});
    return r.top >= 0 && r.top + cell <= g_UserSettings.resolutionY && r.right >= cell &&
           r.left + cell <= g_UserSettings.resolutionX;
}

} // namespace

bool ApplyLayoutMove(CDXUTDialog* dialog, int id, int left, int top, int right, int bottom, int dx, int dy, int, int)
{
    for (const sPanelButton& b : kPanelButtons)
        if (id == b.button) {
            if (left < 0 || top < 0 || right > g_UserSettings.resolutionX || bottom > g_UserSettings.resolutionY)
                return false;
            Record(id, left, top, right, bottom);
            MovePanel(*b.panel, b.first, b.last, dx, dy);
            return true;
        }
    if (const CDXUTControl* frame = dialog ? dialog->GetControl(id, DXUT_CONTROL_FRAME) : nullptr)
        if (frame->m_bDraggable && !TitleBarInReach(*dialog, *frame, left, top, right, bottom))
            return false;
    if (id < 1 || id >= kGuiLayoutRows)
        return true;
    // The event window always opens at its place in the layout.
    if (id == kEventDialog)
        return true;
    Record(id, left, top, right, bottom);
    for (const sFollowers& group : kFollowerGroups)
        if (id == group.head && dialog)
            for (int follower = group.head + 1; follower <= group.last; ++follower)
                if (CDXUTControl* control = dialog->GetControl(follower))
                    control->MoveBy(dx, dy);
    for (const sTitleBelowFrame& title : kTitlesBelowFrames)
        if (id == title.frame && dialog)
            if (CDXUTControl* control = dialog->GetControl(title.title))
                control->MoveBy(dx, dy);
    return true;
}

void InstallLayoutHook() { g_GuiHooks.layoutMove = ApplyLayoutMove; }
