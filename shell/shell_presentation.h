#pragma once
// The presentation of the program with a window: what the game asks of the screen is done
// on the main thread. Requests from any thread are queued and served at the next frame;
// a wait on the main thread runs frames until its request is answered.
#include <atomic>

#include "game/presentation.h"
#include "game/presentation_requests.h"

class cShellPresentation final : public cPresentation
{
public:
    bool HasScreen() const override { return true; }
    void SetLoadingProgress(int percent) override;
    void RefreshPanels() override;
    void RefreshPoints() override;
    void PushMessage(const std::wstring& text, const std::wstring& title) override;
    void MessageBox(const std::wstring& text, const std::wstring& title) override;
    void PlaySound(std::wstring_view path) override;
    void UseMenuInput() override;
    void UseGameInput() override;
    void CreateMusicPlayer() override;
    void CreateGamePanels() override;
    void LoadMapSkin() override;
    void LoadUnitsSkin() override;
    void UpdateAppearance() override;
    void WakeMainLoop() override;
    void RefreshMinimap() override;
    void StartScenarioSettingsMenu() override;
    void ShowPauseWallpaper() override;
    void CloseMenuForPlay() override;
    void BeginPlayerPhase() override;
    void BeginComputerPhase() override;
    void RefreshDate() override;
    void ShowHoverHint(const cHoverable* object) override;
    bool SelectPlaylist(int number) override;
    void ReleaseGameTextures() override;
    void ReleaseGameFonts() override;
    void DeleteMusicPlayer() override;
    RequestHandle Post(sPresentationRequest request) override;

    // Main thread, once a frame: the refreshes asked for from the other thread, then the
    // requests in the order they came.
    void ServeRequests();
    // Every request not yet served is answered with its fallback (a game's teardown).
    void CancelRequests();
    size_t PendingRequests() const { return m_Queue.PendingCount(); }
    std::vector<eRequestKind> PendingRequestKinds() const { return m_Queue.PendingKinds(); }
    // The move animation a request waits for: answered when the move has ended.
    RequestHandle TakeMoveRequest();

private:
    void Serve(const RequestHandle& request);

    cRequestQueue m_Queue;
    RequestHandle m_MoveRequest;
    std::atomic<bool> m_PointsDirty{false};
    std::atomic<bool> m_PanelsDirty{false};
    std::atomic<bool> m_DateDirty{false};
};

cShellPresentation& ShellPresentation();
// Installs the shell's presentation and the frame pump of the main thread's waits.
void InstallShellPresentation();
// One frame for a wait on the main thread: the window's messages, then a frame. False once
// the window has closed.
bool PumpOneFrame();
