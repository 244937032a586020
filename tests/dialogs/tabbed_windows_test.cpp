// Every tab of every tabbed in-game window shows its page once a player has clicked it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/preferences_dialog.h"
#include "dialogs/purchase_dialog.h"
#include "dialogs/reports_dialog.h"
#include "dialogs/units_manager.h"
#include "gui/controls.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/gui/page_sheet.h"

namespace {

class TabbedWindows : public cDialogTest
{
protected:
    // The units window remembers its last place tab for the next window.
    void TearDown() override
    {
        g_UnitsMgrToDeploy = m_ToDeploy;
        cDialogTest::TearDown();
    }
    const int m_ToDeploy = g_UnitsMgrToDeploy;
    // Clicks each tab of the frame in turn; after each click the window, as drawn, goes
    // into the sheet (a window's tables may lie below its tab strip).
    void AddPages(cPageSheet& sheet, int tabFrameId)
    {
        ASSERT_NE(Top(), nullptr);
        cDialog& window = *Top();
        CDXUTControl* outline = window.GetControl(window.KindId());
        ASSERT_NE(outline, nullptr);
        auto* tabs = ControlOf<CDXUTTabFrame>(window, tabFrameId, DXUT_CONTROL_TABFRAME);
        ASSERT_NE(tabs, nullptr);
        for (int tab = 0; tab < tabs->GetTabCount(); ++tab) {
            ClickTab(window, tabFrameId, tab);
            EXPECT_EQ(tabs->GetSelectedIndex(), tab);
            const std::vector<uint32_t> frame = DrawScreen();
            ASSERT_FALSE(frame.empty());
            sheet.Add(frame, device->BackBufferWidth(), window.ToScreenRect(outline->GetBoundingBox()));
        }
    }
};

TEST_F(TabbedWindows, EachTabClickedShowsItsPage)
{
    LoadTestland(1);
    struct sWindow
    {
        std::string name;
        std::function<void()> open;
        std::vector<int> tabFrames;
    };
    const std::vector<sWindow> windows = {
        {"tab_pages_preferences", [] { OpenPreferences(); }, {kPreferencesTabsId}},
        {"tab_pages_purchases", [] { PushDialog(new cDialogZakupow); }, {kPurchaseTabsId}},
        {"tab_pages_units", [] { PushDialog(new cDialogJednostek(1)); }, {kUnitsKindTabsId, kUnitsPlaceTabsId}},
        // The tables' tabs belong to the statistics group, shown first; the events group
        // lists its kinds, the table staying until one of them is chosen.
        {"tab_pages_reports", [] { PushDialog(new cDialogStatystyk); }, {kReportsTableTabsId, kReportsGroupTabsId}},
    };
    for (const sWindow& window : windows) {
        SCOPED_TRACE(window.name);
        window.open();
        cPageSheet sheet;
        for (int tabFrame : window.tabFrames)
            ASSERT_NO_FATAL_FAILURE(AddPages(sheet, tabFrame));
        ASSERT_NO_FATAL_FAILURE(sheet.Check(window.name));
        CloseTopDialogs(-1);
        FlushClosedDialogs();
    }
}

} // namespace
