#include "platform/window.h"

#include <algorithm>

#include <SDL.h>

#include "core/text.h"

bool InitVideo(std::string* error)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    // Tests and headless runs use the offscreen driver, which has only the software renderer.
    const char* driver = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && SDL_strcmp(driver, "offscreen") == 0) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        if (error)
            *error = SDL_GetError();
        return false;
    }
    return true;
}

bool DesktopSize(int& width, int& height)
{
    SDL_DisplayMode mode{};
    if (!InitVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.w <= 0 || mode.h <= 0)
        return false;
    width = mode.w;
    height = mode.h;
    return true;
}

bool UsableDesktopSize(int& width, int& height)
{
    SDL_Rect bounds{};
    if (!InitVideo() || SDL_GetDisplayUsableBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0)
        return DesktopSize(width, height);
    width = bounds.w;
    height = bounds.h;
    return true;
}

void QuitVideo()
{
    // The font engine stays: fonts owned by globals may still close after this.
    SDL_Quit();
}

cWindow* cWindow::Create(std::wstring_view title)
{
    SDL_Window* w = SDL_CreateWindow(WideToUtf8(title).c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                                     SDL_WINDOW_HIDDEN);
    if (!w)
        return nullptr;
    return new cWindow(w);
}

cWindow::~cWindow() { SDL_DestroyWindow(m_Window); }

void cWindow::SetMode(int width, int height, bool windowed)
{
    SDL_SetWindowFullscreen(m_Window, windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    m_CenterOnShow = windowed;
    if (windowed) {
        SDL_SetWindowSize(m_Window, width, height);
        CenterOnDisplay(width, height);
    }
}

void cWindow::CenterOnDisplay(int width, int height)
{
    // Centred on the given size: on X11 a window may still report its old size until it
    // is shown, which SDL's own centring would use and put the window partly off the screen.
    SDL_Rect bounds{};
    const int display = std::max(0, SDL_GetWindowDisplayIndex(m_Window));
    if (SDL_GetDisplayUsableBounds(display, &bounds) == 0 && bounds.w > 0 && bounds.h > 0)
        SDL_SetWindowPosition(m_Window, bounds.x + std::max(0, (bounds.w - width) / 2),
                              bounds.y + std::max(0, (bounds.h - height) / 2));
    else
        SDL_SetWindowPosition(m_Window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void cWindow::Show()
{
    SDL_ShowWindow(m_Window);
    if (m_CenterOnShow) {
        int width = 0, height = 0;
        SDL_GetWindowSize(m_Window, &width, &height);
        CenterOnDisplay(width, height);
    }
}

void cWindow::SetTitle(std::wstring_view title) { SDL_SetWindowTitle(m_Window, WideToUtf8(title).c_str()); }

std::wstring cWindow::GetTitle() const { return Utf8ToWide(SDL_GetWindowTitle(m_Window)); }

bool cWindow::IsMinimized() const { return (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_MINIMIZED) != 0; }

bool cWindow::HasInputFocus() const { return (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_INPUT_FOCUS) != 0; }

void cWindow::SetMouseGrab(bool grab) { SDL_SetWindowGrab(m_Window, grab ? SDL_TRUE : SDL_FALSE); }

uint32_t VirtualKeyFromSdl(int key, int scancode)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return uint32_t('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return uint32_t('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + uint32_t(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + uint32_t(key - SDLK_KP_1);
    switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: case SDLK_PLUS: return VK_OEM_PLUS; // the key of + on a US or on a German layout
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: break;
    }
    // Keys of other layouts: fall back to the key's position on a US keyboard.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return uint32_t('A' + (scancode - SDL_SCANCODE_A));
    return 0;
}

namespace {

// The MK_ flags of SDL's button mask.
tWParam ButtonFlags(Uint32 buttons)
{
    tWParam flags = 0;
    if (buttons & SDL_BUTTON_LMASK) flags |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK) flags |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK) flags |= MK_MBUTTON;
    if (buttons & SDL_BUTTON_X1MASK) flags |= MK_XBUTTON1;
    if (buttons & SDL_BUTTON_X2MASK) flags |= MK_XBUTTON2;
    return flags;
}

tWParam ModifierFlags()
{
    SDL_Keymod mod = SDL_GetModState();
    tWParam flags = 0;
    if (mod & KMOD_SHIFT) flags |= MK_SHIFT;
    if (mod & KMOD_CTRL) flags |= MK_CONTROL;
    return flags;
}

// The character a key gives that text input does not report: the control characters.
int ControlCharacter(const SDL_KeyboardEvent& key)
{
    SDL_Keycode k = key.keysym.sym;
    Uint16 mod = key.keysym.mod;
    switch (k) {
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_RETURN: case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    default: break;
    }
    if ((mod & KMOD_CTRL) && !(mod & KMOD_ALT) && k >= SDLK_a && k <= SDLK_z)
        return 1 + (k - SDLK_a); // Ctrl+A is 1 ... Ctrl+Z is 26
    return 0;
}

} // namespace

void cMessageTranslator::Translate(const SDL_Event& event, std::vector<sWindowMessage>& out)
{
    switch (event.type) {
    case SDL_QUIT:
        out.push_back({WM_CLOSE, 0, 0});
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: out.push_back({WM_CLOSE, 0, 0}); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.push_back({WM_ACTIVATEAPP, 1, 0}); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.push_back({WM_ACTIVATEAPP, 0, 0}); break;
        case SDL_WINDOWEVENT_MINIMIZED: out.push_back({WM_SIZE, SIZE_MINIMIZED, 0}); break;
        case SDL_WINDOWEVENT_MAXIMIZED: out.push_back({WM_SIZE, SIZE_MAXIMIZED, 0}); break;
        case SDL_WINDOWEVENT_RESTORED: out.push_back({WM_SIZE, SIZE_RESTORED, 0}); break;
        default: break;
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        uint32_t vk = VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
        bool down = event.type == SDL_KEYDOWN;
        bool alt = (event.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
        if (vk != 0) {
            uint32_t msg = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
            tLParam l = 1 | (event.key.keysym.scancode << 16);
            if (alt)
                l |= tLParam(1) << 29;
            if (!down || event.key.repeat)
                l |= tLParam(1) << 30; // previously down
            if (!down)
                l |= tLParam(1) << 31;
            out.push_back({msg, vk, tLParam(uint32_t(l))});
        }
        if (down) {
            int c = ControlCharacter(event.key);
            if (c != 0)
                out.push_back({WM_CHAR, tWParam(c), 1});
        }
        break;
    }
    case SDL_TEXTINPUT:
        for (char16_t unit : WideToUtf16(Utf8ToWide(event.text.text)))
            out.push_back({WM_CHAR, tWParam(unit), 1});
        break;
    case SDL_MOUSEMOTION:
        m_MouseX = event.motion.x;
        m_MouseY = event.motion.y;
        m_Buttons = ButtonFlags(event.motion.state);
        out.push_back({WM_MOUSEMOVE, m_Buttons | ModifierFlags(), MakeLParam(m_MouseX, m_MouseY)});
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        m_MouseX = event.button.x;
        m_MouseY = event.button.y;
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        // Every second click of a quick series is a double click, as the GUI expects.
        bool doubleClick = down && event.button.clicks >= 2 && event.button.clicks % 2 == 0;
        uint32_t base = 0;
        tWParam extra = 0;
        switch (event.button.button) {
        case SDL_BUTTON_LEFT: base = WM_LBUTTONDOWN; break;
        case SDL_BUTTON_RIGHT: base = WM_RBUTTONDOWN; break;
        case SDL_BUTTON_MIDDLE: base = WM_MBUTTONDOWN; break;
        case SDL_BUTTON_X1: base = WM_XBUTTONDOWN; extra = tWParam(XBUTTON1) << 16; break;
        case SDL_BUTTON_X2: base = WM_XBUTTONDOWN; extra = tWParam(XBUTTON2) << 16; break;
        default: return;
        }
        uint32_t msg = down ? (doubleClick ? base + 2 : base) : base + 1;
        const tWParam button = ButtonFlags(SDL_BUTTON(event.button.button));
        m_Buttons = down ? (m_Buttons | button) : (m_Buttons & ~button);
        out.push_back({msg, m_Buttons | ModifierFlags() | extra, MakeLParam(m_MouseX, m_MouseY)});
        break;
    }
    case SDL_MOUSEWHEEL: {
        int steps = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            steps = -steps;
        if (steps == 0)
            break;
        tWParam w = m_Buttons | ModifierFlags() | (tWParam(uint16_t(int16_t(steps * WHEEL_DELTA))) << 16);
        out.push_back({WM_MOUSEWHEEL, w, MakeLParam(m_MouseX, m_MouseY)});
        break;
    }
    default:
        break;
    }
}

bool IsKeyDown(uint32_t vk)
{
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON) {
        Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        if (vk == VK_LBUTTON) return (buttons & SDL_BUTTON_LMASK) != 0;
        if (vk == VK_RBUTTON) return (buttons & SDL_BUTTON_RMASK) != 0;
        return (buttons & SDL_BUTTON_MMASK) != 0;
    }
    SDL_Keymod mod = SDL_GetModState();
    if (vk == VK_SHIFT) return (mod & KMOD_SHIFT) != 0;
    if (vk == VK_CONTROL) return (mod & KMOD_CTRL) != 0;
    if (vk == VK_MENU) return (mod & KMOD_ALT) != 0;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int sc = 0; sc < count; ++sc) {
        if (!state[sc])
            continue;
        if (VirtualKeyFromSdl(SDL_GetKeyFromScancode(SDL_Scancode(sc)), sc) == vk)
            return true;
    }
    return false;
}

std::wstring GetClipboardText()
{
    char* text = SDL_GetClipboardText();
    if (!text)
        return {};
    std::wstring result = Utf8ToWide(text);
    SDL_free(text);
    return result;
}

void SetClipboardText(std::wstring_view text) { SDL_SetClipboardText(WideToUtf8(text).c_str()); }

void SetMouseCapture(bool capture) { SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE); }

void ShowMouseCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }
