#include "tests/dialogs/dialog_bench.h"

#include <algorithm>
#include <filesystem>

#include "core/lock.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/dialog_links.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "platform/paths.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "tests/game/testland.h"
#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"
#include "units/combat_result.h"
#include "world/country.h"

namespace fs = std::filesystem;
using testing_support::SourceDir;

namespace {
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
} // namespace

void cDialogTest::SetUp()
{
    // The shipped pictures and sounds, linked one by one, so that a test may add a skin.
    for (const char* shared : {"gfx", "sound"}) {
        const fs::path folder = fs::path("data") / shared;
        fs::create_directories(folder);
        for (const auto& entry : fs::directory_iterator(SourceDir() / "data" / shared))
            if (!fs::exists(folder / entry.path().filename()))
                fs::create_symlink(entry.path(), folder / entry.path().filename());
    }
    const auto overwrite = fs::copy_options::overwrite_existing;
    fs::copy_file(SourceDir() / "data" / "GUI_1024x768.csv", "data/GUI_1024x768.csv", overwrite);
    fs::copy_file(SourceDir() / "data" / "Settings.ini", "Settings.ini", overwrite);
    ResetSettingsToDefaults();
    LoadSettings("Settings.ini");
    ASSERT_TRUE(g_StringBase.Load((testing_support::GameRoot() / "lang_LANGID.db").string(), true));
    ResetGuiLayout();
    ASSERT_TRUE(LoadGuiLayoutFile("data/GUI_1024x768.csv", L"GUI_1024x768.csv"));

    ASSERT_TRUE(InitVideo());
    window.reset(cWindow::Create(L"dialogs"));
    ASSERT_TRUE(window);
    window->SetMode(kScreenWidth, kScreenHeight, true);
    device = cSdlRenderer::Create(window->GetSdlWindow(), kScreenWidth, kScreenHeight);
    ASSERT_TRUE(device);
    SetRenderThread();
    CDXUTDialogResourceManager* manager = DXUTGetGlobalDialogResourceManager();
    manager->OnCreateDevice(device.get());
    manager->OnResetDevice();

    CDXUTDialog::ResetGlobalState();
    CDXUTListBox::s_bPageSizeSet = false;
    g_GuiHooks = sGuiHooks{};
    g_GuiHooks.now = [this] { return clock; };
    g_GuiHooks.keyDown = [this](uint32_t vk) { return keys[vk]; };
    g_GuiHooks.captureMouse = [](bool) {};
    g_GameLink = sGameLink{};
    g_ShellLinks = sShellLinks{};
    LinkGameObject();
    InstallDialogLinks();
    InstallGameCallbacks(nullptr);
    DXUTSetCallbackMsgProc(OnMsgProc);
}

void cDialogTest::TearDown()
{
    if (g_DialogLinks.destroyGamePanels)
        g_DialogLinks.destroyGamePanels();
    CloseTopDialogs(-1);
    FlushClosedDialogs();
    g_OpenDialogs.clear();
    g_CurrentDialog = nullptr;
    DeleteGameObject();
    SetPresentation(nullptr);
    DXUTSetCallbackKeyboard(nullptr);
    DXUTSetCallbackMouse(nullptr);
    DXUTSetCallbackMsgProc(nullptr);
    g_DialogLinks = sDialogLinks{};
    g_GameLink = sGameLink{};
    g_ShellLinks = sShellLinks{};
    g_GuiHooks = sGuiHooks{};
    DXUTGetGlobalDialogResourceManager()->OnDestroyDevice();
    device.reset();
    window.reset();
    QuitVideo();
}

void cDialogTest::LoadTestland(int activeId)
{
    testland::InstallTestland();
    LoadScenario(L"Testland", activeId);
}

void cDialogTest::LoadEurope1939(int activeId)
{
    fs::create_directories("data/scenarios");
    fs::remove_all("data/scenarios/Europe1939");
    fs::copy(SourceDir() / "data" / "scenarios" / "Europe1939", "data/scenarios/Europe1939", fs::copy_options::recursive);
    LoadScenario(L"Europe1939", activeId);
}

void cDialogTest::LoadScenario(const std::wstring& name, int activeId)
{
    ASSERT_NE(LoadGame(sGameLoadRequest::ForScenario(name)), nullptr);
    cPanstwo* active = GetCountry(activeId);
    ASSERT_NE(active, nullptr);
    active->HumanControlled = true;
    g_Gra->m_PlayState->SetActiveCountry(active);
    g_Gra->m_PlayState->SetViewCountry(active);
    g_Gra->SetGameState(7);
}

void cDialogTest::Click(int id)
{
    ASSERT_NE(Top(), nullptr);
    Click(*Top(), id);
}

void cDialogTest::Click(CDXUTDialog& dialog, int id)
{
    CDXUTControl* control = dialog.GetControl(id);
    ASSERT_NE(control, nullptr) << "control " << id;
    const sRect box = dialog.ToScreenRect(control->GetBoundingBox());
    ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2);
}

void cDialogTest::ClickAt(int x, int y)
{
    const tLParam at = MakeLParam(x, y);
    DXUTStaticWndProc(WM_MOUSEMOVE, 0, at);
    DXUTStaticWndProc(WM_LBUTTONDOWN, MK_LBUTTON, at);
    DXUTStaticWndProc(WM_LBUTTONUP, 0, at);
}

void cDialogTest::ClickRow(CDXUTDialog& dialog, CDXUTListBox& list, int row)
{
    const sRect text = dialog.ToScreenRect(list.GetTextRect());
    const int height = list.GetRowHeight();
    ASSERT_GT(height, 0);
    ClickAt((text.left + text.right) / 2, text.top + row * height + height / 2);
}

void cDialogTest::ClickTab(CDXUTDialog& dialog, int tabFrameId, int tab)
{
    auto* tabs = ControlOf<CDXUTTabFrame>(dialog, tabFrameId, DXUT_CONTROL_TABFRAME);
    ASSERT_NE(tabs, nullptr) << "tab frame " << tabFrameId;
    ASSERT_LT(tab, tabs->GetTabCount());
    // Each tab spans its caption and two 10-pixel ends.
    int x = tabs->GetStripRect().left;
    for (int k = 0; k < tab; ++k)
        x += tabs->GetTab(k)->captionWidth + 20;
    x += (tabs->GetTab(tab)->captionWidth + 20) / 2;
    const sRect strip = dialog.ToScreenRect(tabs->GetStripRect());
    const sRect at = dialog.ToScreenRect(sRect{x, 0, x, 0});
    ClickAt(at.left, (strip.top + strip.bottom) / 2);
}

void cDialogTest::Key(uint32_t vk)
{
    DXUTStaticWndProc(WM_KEYDOWN, vk, 0);
    DXUTStaticWndProc(WM_KEYUP, vk, 0);
}

void cDialogTest::Type(const std::wstring& text)
{
    for (wchar_t ch : text)
        DXUTStaticWndProc(WM_CHAR, tWParam(ch), 0);
}

void cDialogTest::Tick(float seconds)
{
    clock += seconds;
    UpdateDialogCountdown(seconds);
}

std::vector<int> cDialogTest::OpenKinds() const
{
    std::vector<int> kinds;
    for (iStackDialog* entry : g_OpenDialogs)
        kinds.push_back(entry->KindId());
    return kinds;
}

std::wstring cDialogTest::TextOf(int id) { return Top() ? TextOf(*Top(), id) : L"<no dialog>"; }

std::wstring cDialogTest::TextOf(CDXUTDialog& dialog, int id)
{
    CDXUTControl* control = dialog.GetControl(id);
    if (!control)
        return L"<no control>";
    if (control->GetType() == DXUT_CONTROL_STATIC || control->GetType() == DXUT_CONTROL_BUTTON ||
        control->GetType() == DXUT_CONTROL_CHECKBOX || control->GetType() == DXUT_CONTROL_RADIOBUTTON)
        return static_cast<CDXUTStatic*>(control)->GetText();
    if (control->GetType() == DXUT_CONTROL_EDITBOX)
        return static_cast<CDXUTEditBox*>(control)->GetText();
    return L"<not text>";
}

std::vector<uint32_t> cDialogTest::DrawScreen()
{
    // Three frames: the controls fade in.
    for (int frame = 0; frame < 3; ++frame) {
        clock += 0.1;
        if (!device->BeginScene())
            return {};
        device->Clear(0xFF3C4A36);
        if (g_DialogLinks.renderPanels)
            g_DialogLinks.renderPanels(1.0f);
        for (size_t i = 0; i < g_OpenDialogs.size(); ++i)
            if (g_OpenDialogs[i]->KindId() >= 0 && g_OpenDialogs[i]->IsVisible())
                g_OpenDialogs[i]->OnRender(1.0f);
        device->EndScene();
    }
    return device->ReadPixels();
}

void cDialogTest::CheckScreen(const std::string& name)
{
    // The part of the screen the open windows and panels cover.
    sRect area{kScreenWidth, kScreenHeight, 0, 0};
    auto cover = [&](CDXUTDialog& dialog) {
        if (!dialog.GetVisible())
            return;
        for (int k = 0; k < dialog.GetControlCount(); ++k) {
            CDXUTControl* control = dialog.GetControlByIndex(k);
            if (!control->GetVisible())
                continue;
            sRect box = dialog.ToScreenRect(control->GetBoundingBox());
            area = {std::min(area.left, box.left), std::min(area.top, box.top), std::max(area.right, box.right),
                    std::max(area.bottom, box.bottom)};
        }
    };
    for (iStackDialog* entry : g_OpenDialogs)
        if (auto* stacked = dynamic_cast<cDialogStackEntry*>(entry))
            cover(stacked->Dialog());
    for (iPanelScreen* panel : {g_InfoPanel, g_MinimapPanel, g_UnitPanel, g_HexPanel, g_AttackPanel, g_DiplomacyPanel})
        if (auto* dialog = dynamic_cast<CDXUTDialog*>(panel); dialog && !dialog->GetMinimized())
            cover(*dialog);
    area = {std::max(0, area.left - 4), std::max(0, area.top - 4), std::min(kScreenWidth, area.right + 4),
            std::min(kScreenHeight, area.bottom + 4)};
    ASSERT_LT(area.left, area.right) << "nothing open to draw";

    std::vector<uint32_t> pixels = DrawScreen();
    ASSERT_EQ(pixels.size(), size_t(kScreenWidth) * kScreenHeight);
    std::vector<uint32_t> part;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            part.push_back(pixels[size_t(y) * kScreenWidth + size_t(x)]);

    const fs::path expected = testing_support::FixtureDir() / "screens" / (name + ".png");
    sScreenshotCheck check;
    ASSERT_NO_FATAL_FAILURE(CheckScreenshot(part, area.Width(), area.Height(), "screen_" + name, expected, check));
    if (check.stored)
        return;
    // Glyph edges may move by a pixel between font builds; the controls may not.
    EXPECT_LE(check.differing, area.Width() * area.Height() / 100) << "see " << check.actualFile;
}

sCombatResult LongAirStrike()
{
    sCombatResult r;
    r.kind = COMBAT_AIR_STRIKE_LAND;
    r.attackerCountry = 1;
    r.defenderCountry = 2;
    r.attackerLossText =
        LangFormat("report_looses_bombardment", 3.0) + L"\n" + LangFormat("report_looses_bombardment", 0.0);
    r.attackerLoss = 3.0f;
    r.defenderLossText = LangFormat("report_looses_bombardment", 2.5);
    r.defenderLoss = 2.5f;
    for (const wchar_t* unit : {L"Sturzkampfgeschwader 1", L"Kampfgeschwader 55 Greif"})
        r.attackerInfo += LangFormat("report_bombardment_land_unit_attacker", L"Tactical bomber", unit, L"Germany") +
                          LangFormat("report_bombardment_land_unit_attacker_parameters", 34.5, 5, 3) + L"\n";
    r.attackerInfo += LangFormat("report_details_interception_att", L"No. 11 Group", L"United Kingdom", 9, 1) +
                      LangText("report_details_interception_failed_att");
    r.defenderInfo = LangText("report_bombardment_affected_unit") +
                     LangFormat("report_bombardment_land_unit", L"Armoured corps", L"10th Armoured Corps",
                                L"United Kingdom") +
                     LangFormat("report_bombardment_land_unit_parameters", 4, 2.5, 7.5) +
                     LangFormat("report_details_interception", L"No. 11 Group", L"United Kingdom", 9, 1);
    return r;
}
