// The game-screen panels across the other side's phase.
#include <gtest/gtest.h>

#include "dialogs/panel.h"
#include "tests/dialogs/dialog_bench.h"

namespace {

class cWaitingPanel : public cPanel
{
public:
    explicit cWaitingPanel(int id) : cPanel(id, sLayoutRect{0, 0, 100, 100}) {}
    void ForgetPendingAnswer() override { waiting = false; }
    bool waiting = true;
};

using Panels = cDialogTest;

TEST_F(Panels, OtherSidesPhaseFoldsThePanelsClosesWindowsAndStopsTheirWaiting)
{
    cWaitingPanel hex(401), unit(351);
    g_HexPanel = &hex;
    g_UnitPanel = &unit;
    hex.SetMinimized(true);
    unit.SetMinimized(false);
    PushDialog(new cDialog(100, sLayoutRect{10, 10, 50, 50}));

    FoldPanelsForOtherSide();
    EXPECT_TRUE(hex.GetMinimized());
    EXPECT_TRUE(unit.GetMinimized());
    EXPECT_FALSE(hex.waiting);
    EXPECT_FALSE(unit.waiting);
    EXPECT_TRUE(OpenKinds().empty());

    RestorePanelsForPlayer();
    EXPECT_TRUE(hex.GetMinimized());
    EXPECT_FALSE(unit.GetMinimized());
    g_HexPanel = g_UnitPanel = nullptr;
}

} // namespace
