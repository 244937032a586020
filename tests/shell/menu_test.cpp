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
    // Layout row 1 (corners) is the picture's area; where the row is larger than the picture
    // (a larger screen's layout), the part of it that the picture holds fills the screen.
    const struct
    {
        sLayoutRect area;
        int screenWidth, screenHeight;
        sRectF source;
    } cases[] = {
        {{0, 0, 1024, 768}, 800, 600, {0, 0, 1024, 768}},
        {{0, 0, 1920, 1080}, 1920, 1080, {0, 0, 1024, 768}},
        {{0, 0, 512, 384}, 1920, 1080, {0, 0, 512, 384}},
        {{100, 50, 612, 434}, 1024, 768, {100, 50, 612, 434}},
    };
    g_Textures[TEX_WALLPAPER_MAIN].CreateEmpty(1024, 768);
    for (const auto& c : cases) {
        ResetGuiLayout();
        g_GuiLayout[1] = c.area;
        g_UserSettings.resolutionX = c.screenWidth;
        g_UserSettings.resolutionY = c.screenHeight;
        cTestMenu menu(1);
        device.ClearCalls();
        menu.ShowWallpaper(TEX_WALLPAPER_MAIN);
        const std::vector<sQuad> quads = device.Quads();
        ASSERT_EQ(quads.size(), 1u) << c.screenWidth;
        EXPECT_FLOAT_EQ(quads[0].src.left, c.source.left);
        EXPECT_FLOAT_EQ(quads[0].src.top, c.source.top);
        EXPECT_FLOAT_EQ(quads[0].src.right, c.source.right);
        EXPECT_FLOAT_EQ(quads[0].src.bottom, c.source.bottom);
        EXPECT_FLOAT_EQ(quads[0].corners[0].x, 0.0f);
        EXPECT_FLOAT_EQ(quads[0].corners[0].y, 0.0f);
        EXPECT_FLOAT_EQ(quads[0].corners[2].x, float(c.screenWidth));
        EXPECT_FLOAT_EQ(quads[0].corners[2].y, float(c.screenHeight));
    }
    g_Textures[TEX_WALLPAPER_MAIN].Release();
}

} // namespace
