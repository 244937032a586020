#pragma once
// The small test scenario Testland (tests/data/testland), copied into the test's working
// folder so that the game reads it from data\scenarios\Testland.
#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "game/presentation.h"

namespace testland {

// Copies data/scenarios/Testland into the working folder.
void InstallTestland();

// Records what the game shows: progress values, messages, menus, sounds.
class cRecordingPresentation : public cNullPresentation
{
public:
    void SetLoadingProgress(int percent) override { progress.push_back(percent); }
    void PushMessage(const std::wstring& text, const std::wstring& title) override
    {
        messages.push_back(title + L": " + text);
    }
    void MessageBox(const std::wstring& text, const std::wstring& title) override
    {
        boxes.push_back(title + L": " + text);
    }
    void StartScenarioSettingsMenu() override { ++settingsMenus; }
    // Sounds may come from the computer's thread.
    void PlaySound(std::wstring_view path) override
    {
        std::lock_guard<std::mutex> hold(soundsMutex);
        sounds.emplace_back(path);
    }
    int Played(std::wstring_view name)
    {
        std::lock_guard<std::mutex> hold(soundsMutex);
        const std::wstring path = L"data\\sound\\" + std::wstring(name) + L".wav";
        int n = 0;
        for (const std::wstring& s : sounds)
            n += s == path ? 1 : 0;
        return n;
    }
    std::vector<std::wstring> sounds;
    RequestHandle Post(sPresentationRequest request) override
    {
        posted.push_back(request.kind);
        return cNullPresentation::Post(std::move(request));
    }
    int PostedOf(eRequestKind kind) const { return int(std::count(posted.begin(), posted.end(), kind)); }
    std::vector<int> progress;
    std::vector<eRequestKind> posted;
    std::vector<std::wstring> messages;
    std::vector<std::wstring> boxes;
    int settingsMenus = 0;
    std::mutex soundsMutex;
};

} // namespace testland
