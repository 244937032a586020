#include "shell/shell_presentation.h"

#include <SDL.h>

#include <vector>

#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/text.h"
#include "dialogs/request_openers.h"
#include "game/game.h"
#include "game/game_state.h"
#include "shell/dxut.h"
#include "shell/event_picture.h"
#include "shell/frame_callbacks.h"
#include "shell/game_frame.h"
#include "shell/game_input.h"
#include "shell/hint_display.h"
#include "shell/links.h"
#include "shell/map_skin.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/sea_battle_menu.h"
#include "shell/menus/menu.h"
#include "shell/music_player.h"
#include "shell/skin_levels.h"
#include "shell/sound.h"
#include "shell/sound_effects.h"
#include "shell/textures.h"
#include "shell/units_skin.h"
#include "world/map.h"

cShellPresentation& ShellPresentation()
{
    static cShellPresentation presentation;
    return presentation;
}

bool PumpOneFrame()
{
    if (!DXUTGetHWND())
        return false;
    std::vector<sWindowMessage> messages;
    SDL_Event event;
    while (DXUTGetHWND() && SDL_PollEvent(&event)) {
        messages.clear();
        DXUTTranslateEvent(event, messages);
        for (const auto& m : messages)
            if (DXUTGetHWND())
                DXUTStaticWndProc(m.message, m.wParam, m.lParam);
    }
    if (!DXUTGetHWND())
        return false;
    DXUTRender3DEnvironment();
    if (DXUTGetHWND())
        DXUTRunIdleHook();
    return DXUTGetHWND() != nullptr;
}

void InstallShellPresentation()
{
    SetMainThread();
    SetPresentation(&ShellPresentation());
    SetFramePump(PumpOneFrame);
}

void cShellPresentation::SetLoadingProgress(int percent)
{
    if (auto* loading = dynamic_cast<cLoadingMenu*>(g_CurrentMenu))
        loading->SetProgress(percent);
}

void cShellPresentation::RefreshPanels()
{
    if (!IsMainThread()) {
        m_PanelsDirty = true;
        DXUTWakeUp();
        return;
    }
    if (g_DialogLinks.refreshPoints)
        g_DialogLinks.refreshPoints();
    if (g_DialogLinks.refreshDate)
        g_DialogLinks.refreshDate();
    if (g_DialogLinks.refreshHexPanel)
        g_DialogLinks.refreshHexPanel();
    if (g_DialogLinks.refreshSelectionPanels)
        g_DialogLinks.refreshSelectionPanels();
}

void cShellPresentation::RefreshPoints()
{
    if (!IsMainThread()) {
        m_PointsDirty = true;
        DXUTWakeUp();
        return;
    }
    if (g_DialogLinks.refreshPoints)
        g_DialogLinks.refreshPoints();
}

void cShellPresentation::PushMessage(const std::wstring& text, const std::wstring& title)
{
    if (IsMainThread() && g_DialogLinks.pushMessage) {
        g_DialogLinks.pushMessage(text, title);
        return;
    }
    sPresentationRequest request;
    request.kind = eRequestKind::Message;
    request.text = text;
    request.title = title;
    Post(std::move(request));
}

void cShellPresentation::MessageBox(const std::wstring& text, const std::wstring& title)
{
    sPresentationRequest request;
    request.kind = eRequestKind::Message;
    request.text = text;
    request.title = title;
    Post(std::move(request))->Wait();
}

void cShellPresentation::PlaySound(std::wstring_view path)
{
    // data\sound\<name>.wav: the effect of that name.
    std::wstring_view name = path.substr(path.find_last_of(L"\\/") + 1);
    if (name.size() > 4 && name.substr(name.size() - 4) == L".wav")
        name.remove_suffix(4);
    PlaySoundSlot(sound_effects::SlotOf(WideToUtf8(name)));
}

void cShellPresentation::UseMenuInput()
{
    ForgetHeldInput();
    InstallPauseCallbacks();
}

void cShellPresentation::UseGameInput()
{
    ForgetHeldInput();
    InstallGameCallbacks(GameFrameMove);
}

void cShellPresentation::CreateMusicPlayer()
{
    if (g_Gra && !g_Gra->m_Music)
        g_Gra->m_Music = new cMusicPlayer;
}

void cShellPresentation::CreateGamePanels()
{
    ForgetHeldInput();
    StopSoundSlot(sound_effects::kMainMenuMusicLoop);
    if (g_DialogLinks.createGamePanels)
        g_DialogLinks.createGamePanels();
}

void cShellPresentation::LoadMapSkin() { ::LoadMapSkin(g_UserSettings.mapSkin); }

void cShellPresentation::LoadUnitsSkin() { ::LoadUnitsSkin(g_UserSettings.unitsSkin); }

void cShellPresentation::UpdateAppearance()
{
    SelectUnitSkinLevels();
    SelectCityAppearanceLevel();
}

// Any thread: the map writes its overlay before the next frame draws it.
void cShellPresentation::RefreshMinimap()
{
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->RequestMinimapOverlayUpdate();
    DXUTWakeUp();
}

void cShellPresentation::WakeMainLoop() { DXUTWakeUp(); }

void cShellPresentation::StartScenarioSettingsMenu() { ::StartScenarioSettingsMenu(); }

void cShellPresentation::ShowPauseWallpaper()
{
    g_Textures[TEX_WALLPAPER_LOADING_PAUSE].Release();
    g_Textures[TEX_WALLPAPER_LOADING_PAUSE].Load(L"data\\gfx\\wallpaper_pause.png", cTextureHolder::kFile, 1);
}

void cShellPresentation::CloseMenuForPlay()
{
    EndMenu(g_CurrentMenu);
    g_Textures[TEX_WALLPAPER_SCENARIO_SETTINGS].Release();
    // The status line of a game that starts owes nothing to the one before.
    ForgetStatusBarHint();
    InstallGameCallbacks(GameFrameMove);
}

void cShellPresentation::BeginPlayerPhase()
{
    ForgetStatusBarHint();
    if (g_DialogLinks.beginPlayerPhase)
        g_DialogLinks.beginPlayerPhase();
}

void cShellPresentation::BeginComputerPhase()
{
    if (g_DialogLinks.beginOtherSidePhase)
        g_DialogLinks.beginOtherSidePhase();
}

void cShellPresentation::ShowHoverHint(const cHoverable* object)
{
    // The pointer moves on the main thread only; the hint display lives there.
    if (IsMainThread())
        g_HintDisplay.SetHoverable(object);
}

void cShellPresentation::RefreshDate()
{
    if (!IsMainThread()) {
        m_DateDirty = true;
        DXUTWakeUp();
        return;
    }
    if (g_DialogLinks.refreshDate)
        g_DialogLinks.refreshDate();
}

bool cShellPresentation::SelectPlaylist(int number)
{
    return g_Gra && g_Gra->m_Music && g_Gra->m_Music->SelectPlaylist(number);
}

void cShellPresentation::ReleaseGameTextures()
{
    // The game is going: nobody may wait on it any more.
    CancelRequests();
    if (g_DialogLinks.destroyGamePanels)
        g_DialogLinks.destroyGamePanels();
    // Nor does its screen leave anything to the next game: the end of its war already shown
    // would keep the next war's wait image turning and its windows' buttons greyed.
    ResetGameFrame();
    ResetGameInput();
    g_Textures[TEX_WALLPAPER_LOADING_PAUSE].Release();
}

void cShellPresentation::ReleaseGameFonts()
{
    LoseSkinFonts();
}

void cShellPresentation::DeleteMusicPlayer()
{
    if (!g_Gra || !g_Gra->m_Music)
        return;
    g_Gra->m_Music->Shutdown();
    delete g_Gra->m_Music;
    g_Gra->m_Music = nullptr;
}

RequestHandle cShellPresentation::Post(sPresentationRequest request)
{
    // What the opponent shows next waits while the pause menu lies over its play.
    WaitWhilePlayPaused();
    // Decoded here, on the thread that posts the event, so the main thread only uploads it.
    if (request.kind == eRequestKind::EventChoice && !request.picture.empty() && !request.image)
        request.image = LoadEventPicture(request.picture);
    RequestHandle handle = m_Queue.Push(std::move(request));
    // The main loop may be waiting for an event: this is one.
    DXUTWakeUp();
    return handle;
}

void cShellPresentation::ServeRequests()
{
    if (m_PointsDirty.exchange(false))
        RefreshPoints();
    if (m_PanelsDirty.exchange(false))
        RefreshPanels();
    if (m_DateDirty.exchange(false))
        RefreshDate();
    while (RequestHandle request = m_Queue.TakeNext())
        Serve(request);
}

void cShellPresentation::CancelRequests()
{
    m_Queue.CancelAll();
    if (m_MoveRequest) {
        m_MoveRequest->Complete(m_MoveRequest->Data().fallbackAnswer);
        m_MoveRequest.reset();
    }
}

RequestHandle cShellPresentation::TakeMoveRequest()
{
    RequestHandle request = std::move(m_MoveRequest);
    m_MoveRequest.reset();
    return request;
}

void cShellPresentation::Serve(const RequestHandle& request)
{
    const sPresentationRequest& data = request->Data();
    switch (data.kind) {
    case eRequestKind::AnimateMove:
        // The frame move walks the path; with no move under way there is nothing to show.
        if (GameState() == kStateHumanMove || GameState() == kStateComputerMove) {
            if (m_MoveRequest)
                m_MoveRequest->Complete(0);
            m_MoveRequest = request;
        } else {
            request->Complete(0);
        }
        return;
    case eRequestKind::CenterCamera:
        CenterCameraOnHex(data.x, data.y);
        request->Complete(0);
        return;
    case eRequestKind::Quit:
        request->Complete(0);
        DXUTShutdown();
        return;
    case eRequestKind::SeaBattle:
        // Answered when the person closes the screen. The hand-over of the board says
        // nothing of who sits at a shared screen: like every window for persons out of
        // their turn, it opens after the cover that names them.
        OpenAfterItsCover(request, OpenSeaBattleScreen);
        return;
    default:
        break;
    }
    if (g_DialogLinks.serveRequest && g_DialogLinks.serveRequest(request))
        return;
    // No window shows this kind yet: it gets the answer nobody watching would give.
    request->Complete(AnswerHeadlessly(data));
}
