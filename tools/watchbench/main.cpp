// velmorant-watchbench: how long a person watches the computer play.
//   velmorant-watchbench [ROUNDS] [--save FOLDER] [--watch]
// run in the game folder (<build>/game); ROUNDS 6 unless given.
// Runs the real program (its main loop, windows and the computer's thread) offscreen on the
// real clock, in a folder of its own beside the game folder's data/ with the shipped
// data/Settings.ini, starts Europe 1939 with its default player (or loads the save FOLDER
// with the persons it was saved with) and plays as a person who answers every window at
// once and ends each turn at once; with --watch the combat results are left to close by
// themselves, as a person who only watches leaves them. Prints the seconds of each watched
// round of the computer's turns (from the end of the person's turn to the next) and their
// median.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/random.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/dialog_links.h"
#include "dialogs/dialog_stack.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/load_request.h"
#include "gui/control.h"
#include "gui/dialog.h"
#include "platform/messages.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/game_frame.h"
#include "shell/links.h"
#include "shell/menus/intro.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/menus/sea_battle_menu.h"
#include "shell/startup.h"

namespace fs = std::filesystem;
using tClock = std::chrono::steady_clock;

namespace {

constexpr int kScenarioSettingsOk = 245;
constexpr int kSeaBattleAutoEnd = 661;
constexpr int kSeaBattleClose = 658;

struct sBench
{
    size_t rounds = 6;
    std::wstring save;  // the save's name in the bench's data/save; Europe 1939 when empty
    bool watch = false;
    std::vector<double> seconds;
    bool turnEnded = false;
    tClock::time_point turnEndedAt;
    const void* lastWindow = nullptr;
    int framesOnWindow = 0;
};
sBench g_Bench;

void Click(int x, int y)
{
    DXUTStaticWndProc(WM_MOUSEMOVE, 0, MakeLParam(x, y));
    DXUTStaticWndProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    DXUTStaticWndProc(WM_LBUTTONUP, 0, MakeLParam(x, y));
}

void PressKey(unsigned key)
{
    DXUTStaticWndProc(WM_KEYDOWN, key, 1);
    DXUTStaticWndProc(WM_KEYUP, key, tLParam(uint32_t(1u | (1u << 30) | (1u << 31))));
}

void ClickControl(CDXUTDialog& dialog, CDXUTControl* control)
{
    if (!control)
        return;
    const sRect r = dialog.ToScreenRect(control->GetBoundingBox());
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The first button a person could press: a window that Enter and Escape do not close.
CDXUTControl* FirstButton(CDXUTDialog& dialog)
{
    for (int i = 0; i < dialog.GetControlCount(); ++i) {
        CDXUTControl* control = dialog.GetControlByIndex(i);
        if (control && control->GetType() == DXUT_CONTROL_BUTTON && control->GetVisible() && control->GetEnabled())
            return control;
    }
    return nullptr;
}

// A window is answered at once: Enter, then Escape, then its first button.
void Answer(CDXUTDialog& window)
{
    g_Bench.framesOnWindow = &window == g_Bench.lastWindow ? g_Bench.framesOnWindow + 1 : 0;
    g_Bench.lastWindow = &window;
    switch (g_Bench.framesOnWindow % 3) {
    case 0: PressKey(VK_RETURN); break;
    case 1: PressKey(VK_ESCAPE); break;
    default: ClickControl(window, FirstButton(window)); break;
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void OnIdle()
{
    // The person looks at the screen twenty times a second.
    DXUTWantFrameIn(0.05);
    if (auto* settings = dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu)) {
        ClickControl(*settings, settings->GetControl(kScenarioSettingsOk));
        return;
    }
    if (auto* battle = dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu)) {
        CDXUTControl* close = battle->GetControl(kSeaBattleClose);
        ClickControl(*battle, close && close->GetEnabled() ? close : battle->GetControl(kSeaBattleAutoEnd));
        return;
    }
    if (g_CurrentMenu || !g_Gra || !g_Gra->m_PlayState)
        return;
    if (cDialog* window = CurrentDialog(); window && window->GetVisible()) {
        if (!(g_Bench.watch && dynamic_cast<cDialogWynikuWalki*>(window)))
            Answer(*window);
        return;
    }
    if (g_Gra->GetGameState() != kStateHuman)
        return;
    const auto now = tClock::now();
    if (g_Bench.turnEnded) {
        g_Bench.seconds.push_back(std::chrono::duration<double>(now - g_Bench.turnEndedAt).count());
        std::printf("round %zu: %.1f s\n", g_Bench.seconds.size(), g_Bench.seconds.back());
        std::fflush(stdout);
    }
    if (g_Bench.seconds.size() >= g_Bench.rounds) {
        DXUTShutdown();
        return;
    }
    g_Bench.turnEnded = true;
    g_Bench.turnEndedAt = now;
    EndTurnFromMainThread();
}

// In place of the intro: the scenario loads and its settings open.
void StartEurope1939(cRenderer*, double, float)
{
    DXUTSetCallbackFrameMove(nullptr);
    LoadShellPictures();
    g_CurrentMenu = new cLoadingMenu;
    CreateGame(g_Bench.save.empty() ? sGameLoadRequest::ForScenario(L"Europe1939")
                                    : sGameLoadRequest::ForSave(g_Bench.save));
}

// A folder of the bench's own: the game folder's data and language table, the shipped
// settings, and saves that stay there.
bool MakeBenchFolder(const fs::path& game, const fs::path& bench, const fs::path& save)
{
    std::error_code ec;
    fs::remove_all(bench, ec);
    fs::create_directories(bench / "data", ec);
    for (const auto& entry : fs::directory_iterator(game / "data", ec))
        if (entry.path().filename() != "save")
            fs::create_symlink(fs::canonical(entry.path()), bench / "data" / entry.path().filename(), ec);
    fs::create_directories(bench / "data" / "save", ec);
    if (!save.empty())
        fs::copy(save, bench / "data" / "save" / save.filename(), fs::copy_options::recursive, ec);
    fs::copy_file(game / "lang_ENG.db", bench / "lang_ENG.db", ec);
    if (ec)
        return false;
    fs::copy_file(game / "data" / "Settings.ini", bench / "Settings.ini", ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv)
{
    fs::path save;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--watch")
            g_Bench.watch = true;
        else if (arg == "--save" && i + 1 < argc)
            save = fs::absolute(argv[++i]).lexically_normal();
        else
            g_Bench.rounds = size_t(std::max(1, std::atoi(argv[i])));
    }
    if (!save.empty() && save.filename().empty())
        save = save.parent_path();
    if (!save.empty() && !fs::exists(save / "Info.ini")) {
        std::fprintf(stderr, "%s holds no saved game (no Info.ini)\n", save.string().c_str());
        return 2;
    }
    g_Bench.save = save.filename().wstring();
    const fs::path game = fs::current_path();
    if (!fs::exists(game / "data" / "scenarios" / "Europe1939") || !fs::exists(game / "lang_ENG.db")) {
        std::fprintf(stderr, "run it in the game folder (<build>/game): data/scenarios/Europe1939 and lang_ENG.db\n");
        return 2;
    }
    const fs::path bench = fs::temp_directory_path() / "velmorant-watchbench";
    if (!MakeBenchFolder(game, bench, save)) {
        std::fprintf(stderr, "cannot make %s\n", bench.string().c_str());
        return 2;
    }
    fs::current_path(bench);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    InstallDialogLinks();
    g_ShellLinks.playIntroMovies = [] {
        DXUTSetCallbackFrameRender(OnFrameRender);
        DXUTSetCallbackFrameMove(StartEurope1939);
    };
    DXUTSetIdleHook(OnIdle);
    const int code = RunProgram();
    if (g_Bench.seconds.size() < g_Bench.rounds) {
        std::fprintf(stderr, "the program ended after %zu rounds (exit code %d); see %s\n", g_Bench.seconds.size(),
                     code, (bench / "ConsoleOut.txt").string().c_str());
        return 1;
    }
    std::printf("median: %.1f s over %zu rounds\n", Median(g_Bench.seconds), g_Bench.seconds.size());
    return 0;
}
