#pragma once
// Everything the game asks of the screen goes through this one interface, so the game
// object never knows a window or renderer. The shell installs the real one; tests and
// tools run with the null one, which does nothing.
#include <string>
#include <string_view>

class cPresentation
{
public:
    virtual ~cPresentation() = default;

    // The loading screen's progress, 0 to 100.
    virtual void SetLoadingProgress(int percent) = 0;
    // The unit, hex, attack and diplomacy panels show the game again.
    virtual void RefreshPanels() = 0;
    // The info panel's point counters of the player's country.
    virtual void RefreshPoints() = 0;
    // A message window over the open dialogs (the player closes it).
    virtual void PushMessage(const std::wstring& text, const std::wstring& title) = 0;
    // A system message box with an OK button; returns when it is closed.
    virtual void MessageBox(const std::wstring& text, const std::wstring& title) = 0;
    // A sound effect by its file path (data\sound\...).
    virtual void PlaySound(std::wstring_view path) = 0;
    // Input goes to the menu lying over the map.
    virtual void UseMenuInput() = 0;
    // Input goes to the game screen.
    virtual void UseGameInput() = 0;
};

class cNullPresentation : public cPresentation
{
public:
    void SetLoadingProgress(int) override {}
    void RefreshPanels() override {}
    void RefreshPoints() override {}
    void PushMessage(const std::wstring&, const std::wstring&) override {}
    void MessageBox(const std::wstring&, const std::wstring&) override {}
    void PlaySound(std::wstring_view) override {}
    void UseMenuInput() override {}
    void UseGameInput() override {}
};

// The installed presentation; the null one until the shell installs its own.
cPresentation& Presentation();
// Installs a presentation (not owned); null restores the null one.
void SetPresentation(cPresentation* presentation);
