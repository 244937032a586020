#pragma once
// The game's window over SDL, and the translation of SDL's events into the window
// messages the GUI code handles.
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"

struct SDL_Window;
union SDL_Event;

// Starts SDL's video and event parts once; false (with the reason) when that fails.
bool InitVideo(std::string* error = nullptr);
// The size of the first display's desktop; false when it cannot be told.
bool DesktopSize(int& width, int& height);
// The part of the first display that a window may take: the desktop without its panels.
bool UsableDesktopSize(int& width, int& height);
// Ends SDL; after it no window or renderer may be used.
void QuitVideo();

class cWindow
{
public:
    // A hidden window of a default size; Show makes it visible.
    static cWindow* Create(std::wstring_view title);
    ~cWindow();
    cWindow(const cWindow&) = delete;
    cWindow& operator=(const cWindow&) = delete;

    // Sets the client size and the mode: a window of that size, or the whole screen.
    void SetMode(int width, int height, bool windowed);
    void Show();
    void SetTitle(std::wstring_view title);
    std::wstring GetTitle() const;
    bool IsMinimized() const;
    bool HasInputFocus() const;
    // Keeps the mouse inside the window (used in full screen).
    void SetMouseGrab(bool grab);
    SDL_Window* GetSdlWindow() const { return m_Window; }

private:
    explicit cWindow(SDL_Window* window) : m_Window(window) {}
    void CenterOnDisplay(int width, int height);
    SDL_Window* m_Window;
    bool m_CenterOnShow = false;
};

// Turns SDL events into window messages. It keeps the last mouse position, which wheel
// messages carry like the other mouse messages (client coordinates of the back buffer).
class cMessageTranslator
{
public:
    void Translate(const SDL_Event& event, std::vector<sWindowMessage>& out);

private:
    int m_MouseX = 0;
    int m_MouseY = 0;
    // The buttons held as the events tell it (MK_ flags): a press and release that arrive
    // together must each carry the state of their own moment, not SDL's state after both.
    tWParam m_Buttons = 0;
};

// The virtual-key code of an SDL key; 0 for keys without one.
uint32_t VirtualKeyFromSdl(int sdlKeycode, int sdlScancode);

// Whether a key (virtual-key code, including VK_SHIFT, VK_CONTROL, VK_MENU and the mouse
// buttons VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) is held now.
bool IsKeyDown(uint32_t virtualKey);

// The clipboard's text, and setting it.
std::wstring GetClipboardText();
void SetClipboardText(std::wstring_view text);
// While captured, the window keeps getting mouse messages when the pointer leaves it.
void SetMouseCapture(bool capture);
void ShowMouseCursor(bool show);
