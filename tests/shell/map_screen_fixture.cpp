#include "tests/shell/map_screen_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/play_state.h"
#include "gui/layout.h"
#include "platform/sdl_renderer.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "platform/window.h"
#include "shell/draw_helpers.h"
#include "shell/frame_callbacks.h"
#include "shell/map_skin.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "shell/units_skin.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/map.h"

namespace fs = std::filesystem;

namespace map_screen {

namespace {

// The skins and flags are read where the source keeps them; the scenario is copied.
void LinkData()
{
    fs::create_directories("data/gfx");
    for (const char* folder : {"[MapSkin]Normal", "[UnitsSkin]Counters", "Flags"}) {
        fs::path link = fs::path("data/gfx") / folder;
        std::error_code ec;
        if (!fs::exists(link, ec))
            fs::create_directory_symlink(testing_support::SourceDir() / "data" / "gfx" / folder, link, ec);
    }
    fs::create_directories("data/scenarios");
    fs::remove_all("data/scenarios/Europe1939");
    fs::copy(testing_support::SourceDir() / "data" / "scenarios" / "Europe1939", "data/scenarios/Europe1939",
             fs::copy_options::recursive);
}

} // namespace

cMapScreen::cMapScreen() = default;

cMapScreen::~cMapScreen()
{
    if (m_Game)
        DeleteGameObject();
    OnDeviceLost();
    OnDeviceDestroyed();
    ReleaseGameTextures();
    m_Device.reset();
    m_Window.reset();
}

cMapa& cMapScreen::Map() const { return *m_Game->m_Mapa; }

bool cMapScreen::Open()
{
    LinkData();
    ResetSettingsToDefaults();
    ResetGuiLayout();
    EXPECT_TRUE(LoadGuiLayoutFile(testing_support::SourceDir() / "data" / "GUI_1024x768.csv", L"GUI_1024x768.csv"));
    EXPECT_TRUE(InitVideo());
    m_Window = std::unique_ptr<cWindow>(cWindow::Create(L"map"));
    if (!m_Window)
        return false;
    m_Window->SetMode(kWidth, kHeight, true);
    m_Device = cSdlRenderer::Create(m_Window->GetSdlWindow(), kWidth, kHeight);
    if (!m_Device)
        return false;
    SetRenderThread();
    OnDeviceCreated(m_Device.get(), nullptr);
    OnDeviceReset(m_Device.get(), nullptr);
    g_Textures[TEX_UNKNOWN_FLAG].Load(L"data\\gfx\\Flags\\unknown.png", 1, 1);

    m_Game = LoadGame(sGameLoadRequest::ForScenario(L"Europe1939"));
    EXPECT_NE(m_Game, nullptr);
    if (!m_Game)
        return false;
    LoadMapSkin(L"Normal");
    LoadUnitsSkin(L"Counters");
    CreateSkinFonts(m_Device.get());
    m_Game->m_PlayState->SetActiveCountry(m_Game->m_Countries[0]);
    m_Game->ForEachUnitOf(0, [](const cUnit& u) { const_cast<cUnit&>(u).m_Spotted = true; });
    m_Game->ForEachUnitOf(1, [](const cUnit& u) { const_cast<cUnit&>(u).m_Spotted = true; });
    m_Game->m_Mapa->BuildMinimap(L"data\\scenarios\\Europe1939\\minimap.png");
    return true;
}

void cMapScreen::Look(int column, int row, float scale)
{
    cMapa& map = Map();
    map.targetScale = scale;
    g_MapZoom = scale;
    map.FrameMove(1.0f);
    map.CenterAtHex(column, row);
    for (int i = 0; i < 3; ++i)
        map.FrameMove(1.0f);
}

void cMapScreen::DrawFrame()
{
    cMapa& map = Map();
    ASSERT_TRUE(m_Device->BeginScene());
    m_Device->Clear(0xFF000000);
    m_Game->Render(m_Device.get(), 0.016f);
    // The minimap panel's picture, with the overlay and the view frame over it.
    if (cTexture* picture = g_Textures[TEX_PREVIEW_MINIMAP].Get()) {
        g_Sprite->Begin(SPRITE_ALPHABLEND);
        DrawSpriteScaled(g_Sprite.get(), picture, sRect{0, 0, picture->Width(), picture->Height()},
                         float(map.minimapRect[0]), float(map.minimapRect[1]), float(picture->Width()) * map.minimapScale,
                         float(picture->Height()) * map.minimapScale, 0xFFFFFFFF, 0.0f, false);
        g_Sprite->End();
    }
    map.DrawMinimapOverlay();
    map.DrawMinimapViewFrame();
    m_Device->EndScene();
}

std::vector<uint32_t> cMapScreen::Pixels() { return m_Device->ReadPixels(); }

} // namespace map_screen
