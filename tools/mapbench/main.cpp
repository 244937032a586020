// velmorant-mapbench: how fast the game screen's map draws.
//   velmorant-mapbench PATH [FRAMES] [WIDTHxHEIGHT]   PATH is ROOT/data/scenarios/NAME (or a save)
// Loads the folder as the game does, opens the window's renderer offscreen (SDL's offscreen
// driver when there is no display) at the given resolution (else the configured one) with the
// configured skins, and draws FRAMES frames (default 120) at zooms from the closest to the
// whole map, and scrolling at the closest zoom and at half size; then prints the frames a
// second and where a frame's time goes: building the sprite batch, sorting and handing it to
// the renderer, the renderer finishing the frame, and the processor time the thread took
// (what the frame costs on a busy machine); then the slowest frame after the first, and the
// first (pictures uploaded, the tiles of the view drawn).
// Under valgrind --tool=callgrind --collect-atstart=no only the timed frames are counted, and
// each view is dumped as a part of its own named after it: instructions a frame that other
// work on the machine does not change.
#include <SDL.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT do { } while (0)
#define CALLGRIND_DUMP_STATS_AT(name) (void)(name)
#endif

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "core/fatal.h"
#include "core/console_log.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/text.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/play_state.h"
#include "gui/layout.h"
#include "platform/paths.h"
#include "platform/sdl_renderer.h"
#include "platform/sprite.h"
#include "platform/window.h"
#include "shell/frame_callbacks.h"
#include "shell/map_skin.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "shell/units_skin.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/map.h"

namespace fs = std::filesystem;
using tClock = std::chrono::steady_clock;

namespace {

double Ms(tClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

struct sFigures
{
    double build = 0, submit = 0, finish = 0, frames = 0;
    double first = 0; // the first frame: pictures uploaded and the tiles of the view drawn
    double cpu = 0;   // the thread's processor time: the work itself on a busy machine
    double slowest = 0;
    size_t quads = 0;
};

// One view: the map settled at the scale, then FRAMES frames timed; a scrolling view moves
// the camera by that many screen pixels across and half as many down every frame.
sFigures Measure(cGra& game, cSdlRenderer& device, float scale, int frames, float scroll = 0.0f)
{
    cMapa& map = *game.m_Mapa;
    map.targetScale = scale;
    g_MapZoom = scale;
    map.FrameMove(1.0f);
    map.CenterAtHex(scroll > 0 ? map.width / 3 : map.width / 2, map.height / 2);
    for (int i = 0; i < 3; ++i)
        map.FrameMove(1.0f);
    sFigures f;
    for (int i = 0; i < frames + 1; ++i) {
        if (scroll > 0 && i > 0) {
            map.camera.currentX = map.camera.targetX = map.camera.currentX + scroll / scale;
            map.camera.currentY = map.camera.targetY = map.camera.currentY + scroll / (2 * scale);
            map.FrameMove(0.0f);
        }
        if (i > 0)
            CALLGRIND_TOGGLE_COLLECT;
        const auto start = tClock::now();
        const double cpuStart = ThreadCpuMs();
        device.BeginScene();
        device.Clear(0xFF000000);
        g_Sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT);
        map.Render();
        f.quads = g_Sprite->PendingCount();
        const auto built = tClock::now();
        g_Sprite->End();
        device.EndScene();
        const auto submitted = tClock::now();
        // Reading a pixel waits until the renderer has drawn everything.
        uint32_t pixel = 0;
        SDL_Rect one{0, 0, 1, 1};
        SDL_RenderReadPixels(device.GetSdlRenderer(), &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
        device.Present();
        const auto finished = tClock::now();
        if (i > 0)
            CALLGRIND_TOGGLE_COLLECT;
        if (i == 0) {
            f.first = Ms(finished - start);
            continue;
        }
        f.cpu += ThreadCpuMs() - cpuStart;
        f.slowest = std::max(f.slowest, Ms(finished - start));
        f.build += Ms(built - start);
        f.submit += Ms(submitted - built);
        f.finish += Ms(finished - submitted);
        f.frames += 1;
    }
    return f;
}

void Print(const char* view, float scale, const sFigures& f)
{
    char part[64];
    std::snprintf(part, sizeof part, "%s scale %.4f, %d frames", view, scale, int(f.frames));
    CALLGRIND_DUMP_STATS_AT(part);
    const double total = (f.build + f.submit + f.finish) / f.frames;
    std::printf("%-12s scale %.4f: %6.1f frames/s, %6.2f ms a frame (batch %5.2f, sort and submit %5.2f, "
                "renderer %5.2f; processor %5.2f), %zu pieces; slowest %.1f ms, first %.1f ms\n",
                view, scale, 1000.0 / total, total, f.build / f.frames, f.submit / f.frames, f.finish / f.frames,
                f.cpu / f.frames, f.quads, f.slowest, f.first);
}

} // namespace

int main(int argc, char** argv)
{
    const char* usage = "usage: velmorant-mapbench ROOT/data/scenarios/NAME [FRAMES] [WIDTHxHEIGHT]\n";
    if (argc < 2 || argc > 4) {
        std::cerr << usage;
        return 2;
    }
    int frames = 120, askedWidth = 0, askedHeight = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        int w = 0, h = 0;
        char end = 0;
        if (arg.find('x') != std::string::npos) {
            if (std::sscanf(arg.c_str(), "%dx%d%c", &w, &h, &end) != 2 || w < 320 || h < 200 || w > 16384 || h > 16384) {
                std::cerr << "velmorant-mapbench: " << arg << ": not a resolution WIDTHxHEIGHT (320x200 or more)\n";
                return 2;
            }
            askedWidth = w;
            askedHeight = h;
        } else if (std::sscanf(arg.c_str(), "%d%c", &w, &end) == 1 && w > 0) {
            frames = w;
        } else {
            std::cerr << usage;
            return 2;
        }
    }
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(fs::absolute(argv[1], ec), ec);
    const fs::path root = folder.parent_path().parent_path().parent_path();
    const std::string kind = folder.parent_path().filename().string();
    if (ec || !fs::is_directory(folder) || folder.parent_path().parent_path().filename() != "data") {
        std::cerr << "velmorant-mapbench: " << argv[1] << ": not a folder ROOT/data/scenarios/NAME\n";
        return 2;
    }
    fs::current_path(root);
    g_Console.Reopen(fs::temp_directory_path() / "velmorant-mapbench.log");
    UseThrowingFatalHandler();
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY"))
        setenv("SDL_VIDEODRIVER", "offscreen", 0);

    LoadSettings();
    if (askedWidth > 0) {
        g_UserSettings.resolutionX = askedWidth;
        g_UserSettings.resolutionY = askedHeight;
    }
    // The map needs only the minimap's place from the layout: a resolution without a layout
    // file of its own takes the smallest one's.
    const std::wstring layout = GuiLayoutFileName(g_UserSettings.resolutionX, g_UserSettings.resolutionY);
    const std::wstring fallback = GuiLayoutFileName(1024, 768);
    if (!LoadGuiLayoutFile(HostPath(layout), layout) && !LoadGuiLayoutFile(HostPath(fallback), fallback)) {
        std::cerr << "velmorant-mapbench: no layout file " << WideToUtf8(fallback) << "\n";
        return 1;
    }
    const int width = g_UserSettings.resolutionX, height = g_UserSettings.resolutionY;
    if (!InitVideo())
        return 1;
    std::unique_ptr<cWindow> window(cWindow::Create(L"mapbench"));
    window->SetMode(width, height, true);
    std::unique_ptr<cSdlRenderer> device = cSdlRenderer::Create(window->GetSdlWindow(), width, height);
    if (!device) {
        std::cerr << "velmorant-mapbench: no renderer\n";
        return 1;
    }
    SetRenderThread();
    OnDeviceCreated(device.get(), nullptr);
    OnDeviceReset(device.get(), nullptr);
    g_Textures[TEX_UNKNOWN_FLAG].Load(L"data\\gfx\\Flags\\unknown.png", 1, 1);

    const std::wstring name = Utf8ToWide(folder.filename().string());
    const sGameLoadRequest request =
        kind == "save" ? sGameLoadRequest::ForSave(name) : sGameLoadRequest::ForScenario(name);
    cGra* game = nullptr;
    try {
        game = LoadGame(request);
    } catch (const sFatalExit& e) {
        std::cerr << "velmorant-mapbench: " << WideToUtf8(e.reason) << "\n";
        return 1;
    }
    LoadMapSkin(g_UserSettings.mapSkin);
    LoadUnitsSkin(g_UserSettings.unitsSkin);
    CreateSkinFonts(device.get());
    if (!game->m_Countries.empty())
        game->m_PlayState->SetActiveCountry(game->m_Countries[0]);
    for (int category : {0, 1})
        game->ForEachUnitOf(category, [](const cUnit& u) { const_cast<cUnit&>(u).m_Spotted = true; });

    SDL_RendererInfo info{};
    SDL_GetRendererInfo(device->GetSdlRenderer(), &info);
    std::printf("%s: %dx%d hexes, %dx%d pixels, renderer %s, %d frames a view\n", folder.filename().string().c_str(),
                game->m_Mapa->width, game->m_Mapa->height, width, height, info.name, frames);
    const float whole = float(width) / float(std::max(1, game->m_Mapa->width * 83));
    const struct
    {
        const char* name;
        float scale;
    } views[] = {{"closest", 1.0f}, {"", 0.7f}, {"half size", 0.5f}, {"", 0.35f}, {"", 0.25f},
                 {"", 0.2f},        {"", 0.14f}, {"", 0.1f},          {"whole map", whole}};
    for (const auto& v : views)
        if (v.scale >= whole)
            Print(v.name, v.scale, Measure(*game, *device, v.scale, frames));
    Print("scrolling", 1.0f, Measure(*game, *device, 1.0f, frames, 12.0f));
    Print("scrolling", 0.5f, Measure(*game, *device, 0.5f, frames, 12.0f));
    try {
        DeleteGameObject();
    } catch (const sFatalExit&) {
    }
    OnDeviceLost();
    OnDeviceDestroyed();
    ReleaseGameTextures();
    device.reset();
    window.reset();
    QuitVideo();
    return 0;
}
