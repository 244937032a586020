#include "shell/movie_player.h"

#include <SDL.h>

#include <vector>

#include "core/log.h"
#include "platform/clock.h"
#include "platform/movie.h"
#include "platform/paths.h"
#include "platform/sdl_renderer.h"
#include "platform/window.h"
#include "shell/dxut.h"

cMoviePlayer::cMoviePlayer() = default;
cMoviePlayer::~cMoviePlayer() = default;

bool cMoviePlayer::Open(const std::wstring& path)
{
    const std::filesystem::path file = HostPath(path);
    if (FileExists(file))
        m_Movie = cMovie::Open(file);
    if (!m_Movie) {
        LogLine(L"-----Could not open video file: %ls", path);
        return false;
    }
    return true;
}

void cMoviePlayer::Play()
{
    if (!m_Movie)
        return;
    m_Playing = true;
    m_StartMs = GetTickMs();
}

void cMoviePlayer::Stop() { m_Playing = false; }

bool cMoviePlayer::IsPlaying()
{
    if (!m_Movie || !m_Playing)
        return false;
    if (!m_Movie->AdvanceTo(double(GetTickMs() - m_StartMs) / 1000.0))
        m_Playing = false;
    return m_Playing;
}

void cMoviePlayer::ShowFrame()
{
    auto* device = static_cast<cSdlRenderer*>(DXUTGetD3DDevice());
    if (!m_Movie || !device || m_Movie->FramesDecoded() == m_FramesShown)
        return;
    m_FramesShown = m_Movie->FramesDecoded();
    if (!device->BeginScene())
        return;
    device->Clear(0xFF000000);
    m_Movie->Draw(device->GetSdlRenderer());
    device->EndScene();
    DXUTPresentFrame();
}

sMovieInput PumpMovieInput()
{
    sMovieInput input;
    DXUTSetMessageObserver([&input](unsigned message, tWParam wParam) {
        input.leftButton |= message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
        input.escape |= message == WM_KEYDOWN && wParam == VK_ESCAPE;
    });
    std::vector<sWindowMessage> messages;
    SDL_Event event;
    while (DXUTGetHWND() && SDL_PollEvent(&event)) {
        messages.clear();
        DXUTTranslateEvent(event, messages);
        for (const auto& m : messages) {
            DXUTStaticWndProc(m.message, m.wParam, m.lParam);
            if (!DXUTGetHWND())
                break;
        }
    }
    if (DXUTGetHWND())
        DXUTRunIdleHook();
    DXUTSetMessageObserver(nullptr);
    input.closed = !DXUTGetHWND();
    input.leftButton |= IsKeyDown(VK_LBUTTON);
    input.escape |= IsKeyDown(VK_ESCAPE);
    return input;
}
