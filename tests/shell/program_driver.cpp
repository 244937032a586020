#include "tests/shell/program_driver.h"

#include "ai/ai_thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <SDL.h>

#include "core/ini.h"
#include "core/lock.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/random.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/play_state.h"
#include "units/naval_unit.h"
#include "core/text.h"
#include "gui/controls.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/sdl_renderer.h"
#include "dialogs/dialog_links.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/info_panel.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "dialogs/panel.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "shell/menus/intro.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/startup.h"
#include "world/hex_geometry.h"
#include "world/country.h"
#include "world/map.h"
#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"

using namespace testing_support;

namespace {

std::function<void()> g_FirstScreen;

void MakeFirstScreen(cRenderer*, double, float)
{
    DXUTSetCallbackFrameMove(nullptr);
    LoadShellPictures();
    if (g_FirstScreen)
        g_FirstScreen();
}

// Every sleep of the program moves the virtual clock instead of waiting.
void VirtualSleep(int ms) { AdvanceVirtualClock(ms > 0 ? ms : 1); }

sRect ScreenRectOf(CDXUTControl* control)
{
    return control->GetDialog()->ToScreenRect(control->GetBoundingBox());
}

} // namespace

cProgramDriver::cProgramDriver(const std::vector<std::pair<std::string, std::string>>& settings,
                               const std::vector<std::string>& leaveOut)
{
    const auto here = std::filesystem::current_path();
    std::error_code ec;
    if (leaveOut.empty()) {
        std::filesystem::create_directory_symlink(GameRoot() / "data", here / "data", ec);
    } else {
        std::filesystem::create_directories(here / "data");
        for (const auto& entry : std::filesystem::directory_iterator(GameRoot() / "data")) {
            const std::string name = entry.path().filename().string();
            if (std::find(leaveOut.begin(), leaveOut.end(), name) == leaveOut.end())
                std::filesystem::create_symlink(std::filesystem::canonical(entry.path()), here / "data" / name, ec);
        }
    }
    std::filesystem::copy_file(GameRoot() / "lang_ENG.db", here / "lang_ENG.db",
                               std::filesystem::copy_options::overwrite_existing, ec);
    cIniFile ini;
    ini.Load(SourceDir() / "data" / "Settings.ini");
    // The computer's moves are shown to these players without pauses, unless a test asks.
    for (const char* pause : {"Delay/AIMoveBefore", "Delay/AIMoveBetween", "Delay/AIMoveAfter", "Delay/AICombatBefore",
                              "Delay/AICombatAfter", "Delay/AICombatResult", "Delay/AIDeployBefore",
                              "Delay/AIDeployAfter", "Delay/AIReplacementBefore", "Delay/AIReplacementAfter"})
        ini.SetString(pause, L"0");
    for (const auto& [key, value] : settings)
        ini.SetString(key, Utf8ToWide(value));
    EXPECT_TRUE(ini.SaveAs(here / "Settings.ini"));
    SetVirtualClock(true);
    DXUTSetSleepFunction(VirtualSleep);
    // The steps count frames, and the virtual clock moves with them.
    DXUTSetDrawEveryFrame(true);
    InstallDialogLinks();
    // The computer plays the same game every run, so its screens can be compared.
    sAIThreadOptions options;
    options.seed = kOpponentSeed;
    SetAIThreadOptions(options);
}

cProgramDriver& cProgramDriver::StartWith(std::function<void()> makeScreen)
{
    g_FirstScreen = std::move(makeScreen);
    g_ShellLinks.playIntroMovies = [] {
        DXUTSetCallbackFrameRender(OnFrameRender);
        DXUTSetCallbackFrameMove(MakeFirstScreen);
    };
    return *this;
}

cProgramDriver& cProgramDriver::SkipIntro()
{
    for (const wchar_t* movie : {L"dataintro.avi", L"dataintro2.avi", L"dataintro3.avi"})
        Then("skip movie", LogHas(std::wstring(L"Loading intro movie from ") + movie + L" [OK]"),
             [] { PressKey(VK_ESCAPE); }, 20000);
    return Then("skip logos", LogHas(L"Loading string base"), [] { Click(500, 400); });
}

cProgramDriver::~cProgramDriver()
{
    EndWatch();
    g_ShellLinks = sShellLinks{};
    SetAIThreadOptions({});
    g_FirstScreen = nullptr;
    DXUTSetIdleHook(nullptr);
    DXUTSetPresentHook(nullptr);
    DXUTSetWaitHook(nullptr);
    DXUTSetSleepFunction(nullptr);
    DXUTSetDrawEveryFrame(false);
    SetVirtualClock(false);
}

cProgramDriver& cProgramDriver::Then(const std::string& name, std::function<bool()> ready, std::function<void()> act,
                                     int maxFrames)
{
    m_Steps.push_back({name, std::move(ready), std::move(act), maxFrames, m_Shots.size()});
    return *this;
}

cProgramDriver& cProgramDriver::Screenshot(const std::string& name) { return ScreenshotWhen(name, [] { return true; }); }

cProgramDriver& cProgramDriver::Picture(const std::string& name)
{
    Screenshot(name);
    m_Shots.back().compare = false;
    return *this;
}

cProgramDriver& cProgramDriver::Grab(std::function<void(const std::vector<uint32_t>& frame, int width)> take)
{
    Screenshot("grab");
    m_Shots.back().take = std::move(take);
    return *this;
}

cProgramDriver& cProgramDriver::ScreenshotWhen(const std::string& name, std::function<bool()> condition)
{
    m_Shots.push_back({name, std::move(condition), m_Steps.size(), true, {}});
    return *this;
}

cProgramDriver& cProgramDriver::SleepsUntilTheScreenMayChange(int seconds)
{
    m_SleepingSeconds = seconds;
    return Then("the loop sleeps until the screen may change", [] { return true; },
                [this] {
                    m_Sleeping = true;
                    DXUTSetDrawEveryFrame(false);
                    // The clock runs as the real one, moved by the watch, and no sleep of the
                    // loop moves it: an animation's next frame never comes by waiting, only
                    // an event ends the loop's sleep.
                    DXUTSetSleepFunction([](int) {});
                    // The loop holds the game (the global lock) from each wake-up to its
                    // next sleep: the opponent's thread changes it while the loop sleeps,
                    // and whatever it changes must wake the loop.
                    HoldTheGame();
                    DXUTSetWaitHook([this](bool asleep) { asleep ? LetTheGameGo() : HoldTheGame(); });
                    // A loop that sleeps with nothing to wake it draws no frame that could end
                    // the script: the watch wakes it once the time is up, and the script fails.
                    m_Watch = std::thread([this] {
                        using namespace std::chrono;
                        const auto start = steady_clock::now();
                        int64_t moved = 0;
                        std::unique_lock<std::mutex> lock(m_WatchMutex);
                        while (!m_WatchCv.wait_for(lock, milliseconds(5), [this] { return m_WatchEnded; })) {
                            const int64_t passed = duration_cast<milliseconds>(steady_clock::now() - start).count();
                            AdvanceVirtualClock(int(passed - moved));
                            moved = passed;
                            if (passed >= int64_t(m_SleepingSeconds) * 1000) {
                                m_TimedOut = true;
                                DXUTWakeUp();
                                return;
                            }
                        }
                    });
                });
}

cProgramDriver& cProgramDriver::StaysStill(int milliseconds)
{
    return Then("still for " + std::to_string(milliseconds) + " ms", [] { return true; },
                [this, milliseconds] {
                    EXPECT_TRUE(m_Sleeping) << "a loop that draws every frame is never still";
                    m_PresentedBeforeStill = m_Presented;
                    m_StillOver = false;
                    m_StillWatch = std::thread([this, milliseconds] {
                        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
                        m_StillOver = true;
                        DXUTWakeUp();
                    });
                })
        .Then("was still", [this] { return m_StillOver.load(); },
              [this] {
                  m_StillWatch.join();
                  EXPECT_LE(m_Presented - m_PresentedBeforeStill, 2) << "frames drawn while nothing changed";
              });
}

void cProgramDriver::HoldTheGame()
{
    if (m_HoldsGame)
        return;
    ACQUIRE_GLOBAL_LOCK();
    m_HoldsGame = true;
}

void cProgramDriver::LetTheGameGo()
{
    if (!m_HoldsGame)
        return;
    RELEASE_GLOBAL_LOCK();
    m_HoldsGame = false;
}

void cProgramDriver::EndWatch()
{
    if (m_StillWatch.joinable())
        m_StillWatch.join();
    if (!m_Watch.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_WatchMutex);
        m_WatchEnded = true;
    }
    m_WatchCv.notify_all();
    m_Watch.join();
}

int cProgramDriver::Run()
{
    DXUTSetIdleHook([this] { OnIdle(); });
    DXUTSetPresentHook([this] { OnPresent(); });
    const int code = RunProgram();
    EndWatch();
    EXPECT_FALSE(m_Failed);
    EXPECT_EQ(m_Next, m_Steps.size()) << "the program ended before step "
                                      << (m_Next < m_Steps.size() ? m_Steps[m_Next].name : "");
    EXPECT_EQ(m_NextShot, m_Shots.size()) << "screenshots not taken";
    return code;
}

void cProgramDriver::OnIdle()
{
    if (m_Failed)
        return;
    if (!m_Seeded)
        SeedRandom(1939);
    m_Seeded = true; // the main thread's draws too, from the first frame on
    if (m_Next == m_Steps.size()) {
        if (m_NextShot == m_Shots.size()) {
            // The game is torn down as the program ends, as it is without a hold.
            LetTheGameGo();
            DXUTShutdown();
        }
        return;
    }
    sStep& step = m_Steps[m_Next];
    if (m_TimedOut) {
        Fail("step \"" + step.name + "\" did not come in " + std::to_string(m_SleepingSeconds) +
             " s: nothing woke the sleeping loop");
        return;
    }
    // A step waits for the screenshots asked for before it.
    if (m_NextShot >= step.afterShot && step.ready()) {
        m_Done.push_back(step.name);
        ++m_Next;
        m_Frames = 0;
        if (step.act)
            step.act();
        // What the step did came as input does: the loop draws the next frame.
        if (m_Sleeping)
            DXUTWantFrameIn(0.0);
        return;
    }
    if (++m_Frames > step.maxFrames)
        Fail("step \"" + step.name + "\" did not come");
}

void cProgramDriver::Fail(const std::string& what)
{
    // The end of the log and the window on top say where the program stood.
    std::string tail;
    const auto lines = LogLines();
    for (size_t i = lines.size() > 30 ? lines.size() - 30 : 0; i < lines.size(); ++i)
        tail += "\n  " + WideToUtf8(lines[i]);
    const cDialog* window = CurrentDialog();
    ADD_FAILURE() << what << "; the window on top: " << (window ? std::to_string(window->KindId()) : "none")
                  << "; the log ends:" << tail;
    m_Failed = true;
    LetTheGameGo();
    DXUTShutdown();
}

void cProgramDriver::OnPresent()
{
    ++m_Presented;
    if (m_NextShot == m_Shots.size())
        return;
    sShot& shot = m_Shots[m_NextShot];
    if (m_Next < shot.afterStep || !shot.condition())
        return;
    ++m_NextShot;
    auto* device = static_cast<cSdlRenderer*>(DXUTGetD3DDevice());
    std::vector<uint32_t> pixels = device->ReadPixels();
    const int width = device->BackBufferWidth(), height = device->BackBufferHeight();
    ASSERT_EQ(pixels.size(), size_t(width) * size_t(height));
    if (shot.take) {
        shot.take(pixels, width);
        return;
    }
    sScreenshotCheck check;
    const auto expected = SourceDir() / "tests" / "data" / "screens" / (shot.name + ".png");
    if (!shot.compare) {
        const char* write = std::getenv("VELMORANT_WRITE_SCREENSHOTS");
        if (write && *write == '1') {
            ASSERT_NO_FATAL_FAILURE(CheckScreenshot(pixels, width, height, "screen-" + shot.name, expected, check));
        }
        return;
    }
    ASSERT_NO_FATAL_FAILURE(CheckScreenshot(pixels, width, height, "screen-" + shot.name, expected, check));
    // Glyph edges may move by a pixel between font builds; the screen may not.
    EXPECT_LE(check.differing, width * height / 100) << shot.name << ": see " << check.actualFile;
}

std::function<bool()> cProgramDriver::LogHas(const std::wstring& line)
{
    return [line] { return LogContains(line); };
}

std::function<bool()> cProgramDriver::LogHasPrefix(const std::wstring& prefix)
{
    return [prefix] { return LogStartsWith(prefix); };
}

std::function<bool()> cProgramDriver::AfterFrames(int n)
{
    return [n, count = 0]() mutable { return ++count >= n; };
}

std::function<bool()> cProgramDriver::ReadingMessages(std::function<bool()> condition)
{
    return [condition = std::move(condition)] {
        if (condition())
            return true;
        cDialog* dialog = CurrentDialog();
        if (dynamic_cast<cDialogTekstowy*>(dialog) || dynamic_cast<cDialogWynikuKonwojow*>(dialog) ||
            dynamic_cast<cCoverBeforeScreen*>(dialog))
            PressKey(VK_RETURN);
        return false;
    };
}

void cProgramDriver::Click(int x, int y)
{
    DXUTStaticWndProc(WM_MOUSEMOVE, 0, MakeLParam(x, y));
    DXUTStaticWndProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    DXUTStaticWndProc(WM_LBUTTONUP, 0, MakeLParam(x, y));
}

void cProgramDriver::Tap(int x, int y)
{
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.x = x;
    move.motion.y = y;
    SDL_PushEvent(&move);
    for (Uint32 type : {Uint32(SDL_MOUSEBUTTONDOWN), Uint32(SDL_MOUSEBUTTONUP)}) {
        SDL_Event button{};
        button.type = type;
        button.button.button = SDL_BUTTON_LEFT;
        button.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        button.button.clicks = 1;
        button.button.x = x;
        button.button.y = y;
        SDL_PushEvent(&button);
    }
}

void cProgramDriver::TapHex(int column, int row)
{
    int x = 0, y = 0;
    HexOnScreen(column, row, x, y);
    Tap(x, y);
}

void cProgramDriver::ClickTab(int tabFrameId, int tab)
{
    auto* tabs = Control<CDXUTTabFrame>(tabFrameId);
    ASSERT_NE(tabs, nullptr) << "no tab frame " << tabFrameId;
    ASSERT_LT(tab, tabs->GetTabCount());
    // Each tab spans its caption and two 10-pixel ends.
    int x = tabs->GetStripRect().left;
    for (int k = 0; k < tab; ++k)
        x += tabs->GetTab(k)->captionWidth + 20;
    x += (tabs->GetTab(tab)->captionWidth + 20) / 2;
    const sRect strip = ScreenRectOf(tabs);
    Click(x - tabs->GetStripRect().left + strip.left, strip.top + tabs->GetStripRect().Height() / 2);
}

void cProgramDriver::PressKey(unsigned virtualKey)
{
    DXUTStaticWndProc(WM_KEYDOWN, virtualKey, 1);
    DXUTStaticWndProc(WM_KEYUP, virtualKey, tLParam(uint32_t(1u | (1u << 30) | (1u << 31))));
}

void cProgramDriver::SetEditText(int id, const std::wstring& text)
{
    auto* edit = Control<CDXUTEditBox>(id);
    ASSERT_NE(edit, nullptr) << "no edit box " << id;
    edit->SetText(text.c_str());
}

void cProgramDriver::HexOnScreen(int column, int row, int& x, int& y)
{
    const cMapa& map = *g_Gra->m_Mapa;
    const float s = map.currentScale > 0.0f ? map.currentScale : 1.0f;
    const float px = float(column * kHexWidth + kHexWidth / 2), py = float(row * kHexHeight + kHexHeight / 2 +
                                                                           (column % 2 == 0 ? kHexHeight / 2 : 0));
    x = int((px - map.camera.currentX + 30.0f) * s) + g_UserSettings.resolutionX / 2;
    y = int((py - map.camera.currentY + 36.0f) * s) + g_UserSettings.resolutionY / 2;
}

void cProgramDriver::ArriveCamera()
{
    sCamera& camera = g_Gra->m_Mapa->camera;
    camera.currentX = camera.targetX;
    camera.currentY = camera.targetY;
}

void cProgramDriver::ClickHex(int column, int row)
{
    int x = 0, y = 0;
    HexOnScreen(column, row, x, y);
    Click(x, y);
}

void cProgramDriver::MovePointer(int x, int y) { DXUTStaticWndProc(WM_MOUSEMOVE, 0, MakeLParam(x, y)); }

void cProgramDriver::PointAtHex(int column, int row)
{
    int x = 0, y = 0;
    HexOnScreen(column, row, x, y);
    MovePointer(x, y);
}

void MakeTestlandFolder()
{
    std::filesystem::create_directories("data/scenarios");
    std::filesystem::create_directory_symlink(FixtureDir() / "testland" / "data" / "scenarios" / "Testland",
                                              "data/scenarios/Testland");
    std::filesystem::create_directories("data/save");
}

void LoadTestland()
{
    SeedRandom(1939);
    g_CurrentMenu = new cLoadingMenu;
    CreateGame(sGameLoadRequest::ForScenario(L"Testland"));
}

CDXUTDialog* cProgramDriver::InputDialog()
{
    if (cDialog* window = CurrentDialog(); window && window->GetVisible())
        return window;
    return dynamic_cast<CDXUTDialog*>(g_CurrentMenu);
}

CDXUTControl* cProgramDriver::FindControl(int id)
{
    if (CDXUTDialog* dialog = InputDialog())
        if (CDXUTControl* control = dialog->GetControl(id))
            return control;
    // On the game screen with no window open, the panels shown take the clicks.
    if (g_CurrentMenu || InputDialog())
        return nullptr;
    for (iPanelScreen* screen : {g_UnitPanel, g_HexPanel, g_AttackPanel, g_DiplomacyPanel, g_InfoPanel, g_MinimapPanel})
        if (cPanel* panel = PanelOf(screen); panel && !panel->GetMinimized())
            if (CDXUTControl* control = panel->GetControl(id))
                return control;
    return nullptr;
}

void cProgramDriver::ClickControl(int id)
{
    CDXUTControl* control = FindControl(id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    const sRect r = ScreenRectOf(control);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

namespace {

int FindRow(CDXUTListBox* list, const std::wstring& firstCell)
{
    for (int i = 0; i < list->GetSize(); ++i)
        if (list->GetItem(i)->Text() == firstCell)
            return i;
    return -1;
}

} // namespace

bool cProgramDriver::ShowListRow(int listId, const std::wstring& firstCell)
{
    auto* list = dynamic_cast<CDXUTListBox*>(FindControl(listId));
    if (!list)
        return false;
    const int row = FindRow(list, firstCell);
    if (row < 0)
        return false;
    list->GetScrollBar().ShowItem(row);
    return true;
}

void cProgramDriver::ClickListRow(int listId, const std::wstring& firstCell, bool doubleClick)
{
    auto* list = dynamic_cast<CDXUTListBox*>(FindControl(listId));
    ASSERT_NE(list, nullptr);
    const int row = FindRow(list, firstCell);
    ASSERT_GE(row, 0) << "no row " << WideToUtf8(firstCell);
    const sRect r = list->GetDialog()->ToScreenRect(list->GetItem(row)->rcActive);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    Click(x, y);
    if (doubleClick) {
        DXUTStaticWndProc(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(x, y));
        DXUTStaticWndProc(WM_LBUTTONUP, 0, MakeLParam(x, y));
    }
}

std::wstring StatusLine()
{
    const auto* status = InfoPanel() ? dynamic_cast<CDXUTStatic*>(InfoPanel()->GetControl(kInfoStatusId)) : nullptr;
    return status ? status->GetText() : L"<no status line>";
}

std::wstring InfoText(int id)
{
    const auto* text = InfoPanel() ? dynamic_cast<CDXUTStatic*>(InfoPanel()->GetControl(id)) : nullptr;
    return text ? text->GetText() : L"<no such static>";
}

void MakeFleetsThatMeetFightOnTheBoard()
{
    constexpr int kArkRoyal = 1;
    GLOBAL_LOCK_SCOPE();
    sGameConsts& k = g_Gra->m_Consts;
    k.SeaBattleParticipation = 100;
    std::fill(std::begin(k.SeaBattleDetection), std::end(k.SeaBattleDetection), 1000);
    std::fill(std::begin(k.SeaBattleConditionWeights), std::end(k.SeaBattleConditionWeights), 0);
    k.SeaBattleConditionWeights[1] = 1;
    g_Gra->FindNavalUnitById(kArkRoyal)->Kill(false);
}

bool BorussiasTurn()
{
    if (!g_Gra || g_Gra->GetGameState() != 7)
        return false;
    const cPanstwo* active = g_Gra->m_PlayState->GetActiveCountry();
    return active && active->Name == L"Borussia";
}

void StartAsBorussia(cProgramDriver& driver)
{
    using D = cProgramDriver;
    // The scenario settings' country list, its two controller buttons and OK.
    constexpr int kCountries = 216, kComputer = 224, kPerson = 225, kOk = 245;
    driver.Then("Borussia to a person, Albion to the computer",
                [] { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; },
                [] {
                    auto* countries = D::Control<CDXUTListBox>(kCountries);
                    countries->SelectItem(0, true);
                    D::ClickControl(kComputer);
                    countries->SelectItem(1, true);
                    D::ClickControl(kPerson);
                })
        .Then("start", D::AfterFrames(2), [] { D::ClickControl(kOk); })
        .Then("Borussia's turn", D::ReadingMessages(BorussiasTurn),
              [] {
                  if (CurrentDialog())
                      D::PressKey(VK_ESCAPE);
              },
              20000)
        .Then("to the map", [] { return !CurrentDialog(); });
}

// The scenario settings' and the scenario list's controls.
namespace {
constexpr int kScenarioTabs = 178, kScenarios = 179, kLoad = 200, kSettingsTabs = 208, kCountries = 216,
              kPerson = 225, kPlayer = 226, kByEmail = 234, kEmailGameName = 236, kPlayers = 238, kPlayerName = 240,
              kPlayerEmail = 242, kSavePlayer = 243;
} // namespace

bool InScenarioSettings() { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; }

bool TurnOf(const wchar_t* name, bool announced)
{
    // The opponent's thread changes whose turn it is under the lock; the script runs without it.
    GLOBAL_LOCK_SCOPE();
    const cPanstwo* active = g_Gra ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    return g_Gra && g_Gra->GetGameState() == 7 && active && active->Name == name &&
           (!announced || dynamic_cast<cDialogNowejTury*>(CurrentDialog()));
}

std::wstring MessageTitle(int row)
{
    auto* message = dynamic_cast<cDialogTekstowy*>(CurrentDialog());
    auto* text = message ? dynamic_cast<CDXUTStatic*>(message->GetControl(row)) : nullptr;
    return text ? text->GetText() : std::wstring();
}

void ClickOn(CDXUTDialog* dialog, int id)
{
    ASSERT_NE(dialog, nullptr);
    CDXUTControl* control = dialog->GetControl(id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    const sRect r = dialog->ToScreenRect(control->GetBoundingBox());
    cProgramDriver::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void ClickDialogButton(int id) { ClickOn(CurrentDialog(), id); }

void GivePersonTheRow(int row)
{
    cProgramDriver::Control<CDXUTListBox>(kCountries)->SelectItem(row, true);
    cProgramDriver::ClickControl(kPerson);
}

void EndTheTurn(cProgramDriver& driver, const char* name)
{
    driver.Then(std::string("end ") + name, [] { return !CurrentDialog(); }, [] { cProgramDriver::PressKey('Q'); })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickDialogButton(kConfirmYesId); });
}

void AddEmailPlayer(const std::wstring& name)
{
    cProgramDriver::SetEditText(kPlayerName, name);
    cProgramDriver::SetEditText(kPlayerEmail, name + L"@example.com");
    cProgramDriver::ClickControl(kSavePlayer);
}

void SetUpGameByEmail(cProgramDriver& driver, const wchar_t* adas, const wchar_t* bobs)
{
    using D = cProgramDriver;
    auto give = [](const std::wstring& country, int player) {
        auto* countries = D::Control<CDXUTListBox>(kCountries);
        int row = 0;
        while (row < countries->GetSize() && countries->GetItem(row)->Text() != L" " + country)
            ++row;
        ASSERT_LT(row, countries->GetSize()) << "no row of " << testing::PrintToString(country);
        countries->SelectItem(row, true);
        D::Control<CDXUTComboBox>(kPlayer)->SetSelectedByIndex(unsigned(player));
        D::ClickControl(kPerson);
    };
    driver.Then("second tab", InScenarioSettings, [] { D::Control<CDXUTTabFrame>(kSettingsTabs)->SelectTab(1, true); })
        .Then("play by e-mail", D::AfterFrames(2), [] { D::ClickControl(kByEmail); })
        .Then("players", [] { return g_Gra->m_IsPbem; },
              [=] {
                  // Read: the persons' countries, Albion's at least, still need their players.
                  if (MessageTitle() == LangText("pbem_game_settings"))
                      D::PressKey(VK_RETURN);
                  AddEmailPlayer(L"Ada");
                  // The new player's row, where Ada's was chosen.
                  D::Control<CDXUTListBox>(kPlayers)->SelectItem(0, true);
                  AddEmailPlayer(L"Bob");
                  D::SetEditText(kEmailGameName, L"Summer War");
                  D::Control<CDXUTTabFrame>(kSettingsTabs)->SelectTab(0, true);
              })
        .Then("countries", D::AfterFrames(2),
              [=] {
                  give(adas, 0);
                  give(bobs, 1);
                  D::ClickControl(kSettingsOk);
              });
}

void AbortAndOpenTheGameByEmail(cProgramDriver& driver, const std::wstring& game, std::function<void()> beforeLeaving)
{
    using D = cProgramDriver;
    driver
        .Then("settled", D::AfterFrames(20),
              [beforeLeaving] {
                  if (beforeLeaving)
                      beforeLeaving();
                  D::PressKey(VK_ESCAPE);
              })
        .Then("pause", [] { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::ClickControl(kPauseAbort); })
        .Then("list", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::Control<CDXUTTabFrame>(kScenarioTabs)->SelectTab(2, true); })
        .Then("the game's row", [game] { return D::ShowListRow(kScenarios, game); })
        .Then("open it", D::AfterFrames(2), [game] {
            D::ClickListRow(kScenarios, game);
            D::ClickControl(kLoad);
        });
}
