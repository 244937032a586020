// One frame drawn offscreen: a test dialog with every kind of control on the real GUI
// picture and fonts, compared with a stored picture within a tolerance.
// VELMORANT_WRITE_SCREENSHOTS=1 stores a new picture instead.
#include <gtest/gtest.h>

#include <filesystem>

#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "platform/sdl_renderer.h"
#include "platform/texture.h"
#include "platform/window.h"
#include "shell/dialog_builders.h"
#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void BuildDialog(CDXUTDialog& d)
{
    d.SetLocation(20, 20);
    d.SetSize(600, 440);
    d.EnableCaption(true);
    d.SetCaptionHeight(22);
    d.SetCaptionText(L"Army Group Centre - orders");
    d.SetBackgroundColors(0xF0283024, 0xF0283024, 0xF0161A14, 0xF0161A14);

    d.AddFrame(1, 0, 0, 600, 418, 2);
    d.AddStaticFromLayout(100, L"Orders of battle");
    d.AddButtonFromLayout(101, L"Advance", L"Move the army forward");
    d.AddButtonFromLayout(140, L"Retreat", L"Not possible now");
    d.SetControlEnabled(140, false);
    d.AddCheckBoxFromLayout(102, L"Show the front line", nullptr, true);
    d.AddRadioButtonFromLayout(103, 1, L"Attack", nullptr, true);
    d.AddRadioButtonFromLayout(104, 1, L"Defend", nullptr, false);
    d.AddComboBoxFromLayout(105, nullptr);
    auto* combo = static_cast<CDXUTComboBox*>(d.GetControl(105));
    combo->AddItem(L"Operation Typhoon", nullptr);
    combo->AddItem(L"Operation Bagration", nullptr);
    AddLabeledSlider(&d, 106, 0, 100, 75, 115, L"Effort", 116, L"75");
    d.AddEditBoxFromLayout(107, L"Smolensk sector", nullptr);
    AddReadOnlyEditBox(&d, 113, L"84%", nullptr, 114, L"Supply");
    d.AddProgressBar(111, 0, 100, 62);
    d.AddIcon(2, 1520, 225, 1560, 265, 30, 350, 40, 40);
    d.AddImageFromLayout(112, 0, 1200, 740, 1310, 850, nullptr);
    static_cast<CDXUTImage*>(d.GetControl(112))->SetTextureIndex(2);

    d.AddListBoxFromLayout(109, 0);
    auto* list = static_cast<CDXUTListBox*>(d.GetControl(109));
    list->SetColumns(3, L"Unit;Ready;Size", 50, 28, 22);
    list->SetColumnSortTypes(3, LIST_SORT_TEXT, LIST_SORT_PERCENT, LIST_SORT_PRODUCT);
    list->AddItem(L"4th Panzer Army;92%;5x3", nullptr);
    list->AddItem(L"9th Army;78%;4x2", nullptr);
    list->AddItem(L"2nd Army;65%;3x3", nullptr);
    list->AddItem(L"3rd Panzer Group;88%;4x3", nullptr);
    list->AddItem(L"Reserve;40%;2x2", nullptr);
    list->SortByColumn(1);
    list->SelectItem(1);

    d.AddTabFrame(110);
    d.AddStaticFromLayout(120, L"Infantry and armour on the first page.");
    d.AddCheckBoxFromLayout(130, L"Sea page", nullptr, false);
    auto* tabs = static_cast<CDXUTTabFrame*>(d.GetControl(110));
    tabs->AddTab(L"Land", 0, 120, 129);
    tabs->AddTab(L"Sea", 1, 130, 139);
    tabs->AddTab(L"Air", 2, 140, 139);

    AddMemoWithCaption(&d, 108,
                       L"The army advances along the highway toward the capital. Autumn rain has turned the roads to "
                       L"mud; supply columns fall behind and the armour waits for fuel. Reserves are thin.",
                       nullptr, 117, L"Situation report");
}

TEST(ToolkitScreenshot, ADialogWithEveryKindOfControlLooksAsStored)
{
    std::filesystem::create_directories("data/gfx");
    std::filesystem::copy_file(testing_support::SourceDir() / "data" / "gfx" / "GUI.png", "data/gfx/GUI.png",
                               std::filesystem::copy_options::overwrite_existing);
    ResetGuiLayout();
    ASSERT_TRUE(LoadGuiLayoutFile(testing_support::FixtureDir() / "gui_test_layout.csv", L"gui_test_layout.csv"));

    ASSERT_TRUE(InitVideo());
    std::unique_ptr<cWindow> window(cWindow::Create(L"toolkit"));
    ASSERT_TRUE(window);
    window->SetMode(kWidth, kHeight, true);
    auto device = cSdlRenderer::Create(window->GetSdlWindow(), kWidth, kHeight);
    ASSERT_TRUE(device);
    SetRenderThread();
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    manager->OnCreateDevice(device.get());
    manager->OnResetDevice();

    double clock = 0;
    // The hooks point at this test's clock: the tests after it get their own back.
    struct sHooksBack
    {
        sGuiHooks saved = g_GuiHooks;
        ~sHooksBack() { g_GuiHooks = saved; }
    } hooksBack;
    g_GuiHooks.now = [&clock] { return clock; };
    g_GuiHooks.captureMouse = [](bool) {};
    g_GuiHooks.keyDown = [](uint32_t) { return false; };
    {
        CDXUTDialog dialog;
        dialog.SetTexture(2, L"data\\gfx\\GUI.png");
        BuildDialog(dialog);
        ASSERT_NE(dialog.GetTexture(0)->pTexture, nullptr);
        // The pointer over the first button; the edit box focused with a selection.
        dialog.MsgProc(WM_MOUSEMOVE, 0, MakeLParam(20 + 60, 20 + 22 + 70));
        auto* edit = static_cast<CDXUTEditBox*>(dialog.GetControl(107));
        CDXUTDialog::RequestFocus(edit);
        edit->SetText(L"Smolensk sector", false);
        edit->HandleKeyboard(WM_KEYDOWN, VK_HOME, 0);

        for (int frame = 0; frame < 3; ++frame) {
            clock += 0.1;
            ASSERT_TRUE(device->BeginScene());
            device->Clear(0xFF0E1210);
            dialog.OnRender(1.0f);
            device->EndScene();
        }
    }
    std::vector<uint32_t> pixels = device->ReadPixels();
    ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight);
    manager->OnDestroyDevice();

    std::filesystem::path expectedFile = testing_support::FixtureDir() / "screenshot_toolkit.png";
    sScreenshotCheck check;
    ASSERT_NO_FATAL_FAILURE(CheckScreenshot(pixels, kWidth, kHeight, "toolkit", expectedFile, check));
    if (check.stored) {
        device.reset();
        GTEST_SKIP() << "stored " << expectedFile;
    }
    // Glyph edges may move by a pixel between font builds; the controls may not.
    EXPECT_LE(check.differing, kWidth * kHeight / 100) << "see " << check.actualFile;
    device.reset();
    window.reset();
    QuitVideo();
}

} // namespace
