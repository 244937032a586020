// The menu base: one current menu, ended after the dispatch that replaced it, and the
// wallpaper that fills the back buffer.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "gui/controls.h"
#include "gui/layout.h"
#include "platform/recording_renderer.h"
#include "shell/menus/menu.h"
#include "shell/textures.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;

int g_Destroyed = 0;

// A menu whose button makes the next menu and then still uses its own members, as the
// game's handlers do.
class cTestMenu : public cMenu
{
public:
    explicit cTestMenu(int number) : m_Number(number)
    {
        AddButton(1, L"Next", 10, 10, 100, 30);
        SetVisible(true);
    }
    ~cTestMenu() override { ++g_Destroyed; }
    void OnGUIEvent(unsigned, int, CDXUTControl*) override
    {
        g_CurrentMenu = new cTestMenu(m_Number + 1);
        m_Clicks += 1; // after the next menu's construction: still alive
    }
    void ShowWallpaper(int holder) { RenderWallpaper(holder, 0.0f, false); }
    int m_Number;
    int m_Clicks = 0;
};

class MenuBase : public ::testing::Test
{
protected:
    void SetUp() override { DXUTGetGlobalDialogResourceManager()->OnCreateDevice(&device); }
    void TearDown() override
    {
        DeleteCurrentMenu();
        DXUTGetGlobalDialogResourceManager()->OnDestroyDevice();
    }
    cRecordingRenderer device{800, 600};
};

TEST_F(MenuBase, AMenuReplacedInItsOwnHandlerEndsThereAndIsFreedAfterTheDispatch)
{
    g_Destroyed = 0;
    g_CurrentMenu = new cTestMenu(1);
    EXPECT_FALSE(LogContains(L"-- Deleting old menu"));
    auto* first = static_cast<cTestMenu*>(g_CurrentMenu);
    first->MsgProc(WM_MOUSEMOVE, 0, MakeLParam(20, 20));
    first->MsgProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(20, 20));
    first->MsgProc(WM_LBUTTONUP, 0, MakeLParam(20, 20));

    auto* second = dynamic_cast<cTestMenu*>(g_CurrentMenu);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->m_Number, 2);
    EXPECT_EQ(first->m_Clicks, 1);
    EXPECT_FALSE(first->GetVisible());
    EXPECT_EQ(g_Destroyed, 0);
    EXPECT_EQ(CountLogLinesStartingWith(L"-- Deleting old menu"), 1);

    FreeEndedMenus();
    EXPECT_EQ(g_Destroyed, 1);
    EXPECT_EQ(g_CurrentMenu, second);

    // A control's drag begun on one menu ends when another menu comes.
    second->GetControl(1)->m_bDraggable = true;
    second->MsgProc(WM_MOUSEMOVE, 0, MakeLParam(20, 20));
    second->MsgProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(20, 20));
    second->MsgProc(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(40, 20));
    ASSERT_TRUE(CDXUTDialog::IsControlDragInProgress());
    g_CurrentMenu = new cTestMenu(3);
    EXPECT_FALSE(CDXUTDialog::IsControlDragInProgress());
}

TEST_F(MenuBase, AWallpaperOfAnySizeStretchesItsAreaOverTheWholeBackBuffer)
{
    ResetGuiLayout();
    g_GuiLayout[1] = sLayoutRect{0, 0, 1024, 768}; // corners of the picture's area
    g_UserSettings.resolutionX = 800;
    g_UserSettings.resolutionY = 600;
    g_Textures[TEX_WALLPAPER_MAIN].CreateEmpty(1024, 768);
    cTestMenu menu(1);
    device.ClearCalls();
    menu.ShowWallpaper(TEX_WALLPAPER_MAIN);
    std::vector<sQuad> quads = device.Quads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].corners[0].x, 0.0f);
    EXPECT_FLOAT_EQ(quads[0].corners[0].y, 0.0f);
    EXPECT_FLOAT_EQ(quads[0].corners[2].x, 800.0f);
    EXPECT_FLOAT_EQ(quads[0].corners[2].y, 600.0f);
    // On a wide screen the picture keeps its proportions: it fills the width, and what the
    // screen has no room for is left out, a fifth at the top (the title keeps a margin), the
    // rest at the bottom.
    g_UserSettings.resolutionX = 1920;
    g_UserSettings.resolutionY = 1080;
    device.ClearCalls();
    menu.ShowWallpaper(TEX_WALLPAPER_MAIN);
    quads = device.Quads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_NEAR(quads[0].corners[2].x, 1920.0f, 1.0f);
    EXPECT_NEAR(quads[0].corners[2].y, 1080.0f, 2.0f);
    EXPECT_NEAR(quads[0].src.top, 38.0f, 1.0f);
    EXPECT_NEAR(quads[0].src.bottom, 614.0f, 1.0f);
    g_Textures[TEX_WALLPAPER_MAIN].Release();
}

} // namespace
